#include "TableOfContents.h"

#include <string_view>

#include "EpubBook.h"
#include "Markup.h"
#include "PackageDocument.h"
#include "ZipArchive.h"

namespace {

// Deeper levels are rare in real books; the limit keeps a hostile one off the stack.
constexpr int kMaxDepth = 16;

// The label's text, cut at a character's end to at most kMaxTitleBytes.
std::string TitleOf(const xmlNode* label) {
    std::string title = CollapsedText(label);
    if (title.size() <= kMaxTitleBytes) {
        return title;
    }
    constexpr std::string_view kEllipsis = "…";
    std::size_t cut = kMaxTitleBytes - kEllipsis.size();
    while (cut > 0 && (static_cast<unsigned char>(title[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    title.resize(cut);
    return title.append(kEllipsis);
}

// An entry whose label has no link (a part heading over its chapters) takes the
// place of its first linked descendant; without one it is dropped.
void AddEntry(std::vector<TocEntry>& entries, std::size_t placeholder) {
    if (entries[placeholder].target.member.empty()) {
        if (placeholder + 1 < entries.size()) {
            entries[placeholder].target = entries[placeholder + 1].target;
        } else {
            entries.pop_back();
        }
    }
}

// `nesting` counts every list level, shown or not, and bounds the recursion.
void ReadNavList(const xmlNode* list, const std::string& base, int depth, int nesting,
                 std::vector<TocEntry>& entries) {
    for (xmlNode* li = list->children; li != nullptr && entries.size() < kMaxChapters;
         li = li->next) {
        if (!IsElement(li) || !NameIs(li, "li")) {
            continue;
        }
        const xmlNode* label = ChildElement(li, "a");
        if (label == nullptr) {
            label = ChildElement(li, "span");
        }
        TocEntry entry;
        entry.depth = depth;
        if (label != nullptr) {
            entry.title = TitleOf(label);
            if (const auto target = ResolveHref(base, Attribute(label, "href"));
                target && NameIs(label, "a") && !Attribute(label, "href").empty()) {
                entry.target = *target;
            }
        }
        const xmlNode* children = nesting + 1 < kMaxDepth ? ChildElement(li, "ol") : nullptr;
        if (entry.title.empty() || (entry.target.member.empty() && children == nullptr)) {
            if (children != nullptr) {
                ReadNavList(children, base, depth, nesting + 1, entries);
            }
            continue;
        }
        const std::size_t at = entries.size();
        entries.push_back(std::move(entry));
        if (children != nullptr) {
            ReadNavList(children, base, depth + 1, nesting + 1, entries);
        }
        AddEntry(entries, at);
    }
}

std::vector<TocEntry> ReadNav(ZipArchive& zip, const std::string& member) {
    std::vector<TocEntry> entries;
    if (member.empty() || !zip.Has(member)) {
        return entries;
    }
    const ContentDocument nav = ParseXhtml(zip.Read(member));
    if (nav.root == nullptr) {
        return entries;
    }
    // The nav marked as the table of contents; a page list or landmarks is not one.
    xmlNode* chosen = nullptr;
    xmlNode* node = nav.root;
    while (node != nullptr) {
        if (IsElement(node) && NameIs(node, "nav")) {
            if (HasToken(Attribute(node, "type"), "toc") || Attribute(node, "role") == "doc-toc") {
                chosen = node;
                break;
            }
        }
        if (node->children != nullptr && IsElement(node)) {
            node = node->children;
            continue;
        }
        while (node != nullptr && node != nav.root && node->next == nullptr) {
            node = node->parent;
        }
        node = node == nullptr || node == nav.root ? nullptr : node->next;
    }
    if (chosen != nullptr) {
        if (const xmlNode* list = FindElement(chosen, "ol")) {
            ReadNavList(list, member, 0, 0, entries);
        }
    }
    return entries;
}

void ReadNavPoints(const xmlNode* parent, const std::string& base, int depth, int nesting,
                   std::vector<TocEntry>& entries) {
    for (xmlNode* point = parent->children; point != nullptr && entries.size() < kMaxChapters;
         point = point->next) {
        if (!IsElement(point) || !NameIs(point, "navpoint")) {
            continue;
        }
        TocEntry entry;
        entry.depth = depth;
        if (const xmlNode* label = ChildElement(point, "navlabel")) {
            if (const xmlNode* text = ChildElement(label, "text")) {
                entry.title = TitleOf(text);
            }
        }
        if (const xmlNode* content = ChildElement(point, "content")) {
            if (const auto target = ResolveHref(base, Attribute(content, "src"))) {
                entry.target = *target;
            }
        }
        const bool deeper = nesting + 1 < kMaxDepth;
        if (entry.title.empty()) {
            if (deeper) {
                ReadNavPoints(point, base, depth, nesting + 1, entries);
            }
            continue;
        }
        const std::size_t at = entries.size();
        entries.push_back(std::move(entry));
        if (deeper) {
            ReadNavPoints(point, base, depth + 1, nesting + 1, entries);
        }
        AddEntry(entries, at);
    }
}

std::vector<TocEntry> ReadNcx(ZipArchive& zip, const std::string& member) {
    std::vector<TocEntry> entries;
    if (member.empty() || !zip.Has(member)) {
        return entries;
    }
    const XmlDocPtr ncx = ParseXml(zip.Read(member));
    xmlNode* root = ncx != nullptr ? xmlDocGetRootElement(ncx.get()) : nullptr;
    if (root == nullptr) {
        return entries;
    }
    if (const xmlNode* map = ChildElement(root, "navmap")) {
        ReadNavPoints(map, member, 0, 0, entries);
    }
    return entries;
}

}  // namespace

std::vector<TocEntry> ReadTableOfContents(ZipArchive& zip, const PackageDocument& package) {
    std::vector<TocEntry> entries = ReadNav(zip, package.nav);
    if (entries.empty()) {
        entries = ReadNcx(zip, package.ncx);
    }
    return entries;
}
