#include "ContentText.h"

#include <string_view>
#include <vector>

#include "AsciiText.h"
#include "Markup.h"

namespace {

constexpr std::string_view kNoBreakSpace = "\xC2\xA0";

bool IsBlankByte(unsigned char c) { return c <= 0x20 || c == 0x7F; }

void TrimNoBreakSpaces(std::string& text) {
    while (text.starts_with(kNoBreakSpace) || text.starts_with(' ')) {
        text.erase(0, text[0] == ' ' ? 1 : kNoBreakSpace.size());
    }
    while (text.ends_with(kNoBreakSpace) || text.ends_with(' ')) {
        text.resize(text.size() - (text.back() == ' ' ? 1 : kNoBreakSpace.size()));
    }
}

bool HidesItsContent(const xmlNode* element) {
    if (element->properties == nullptr) {
        return false;
    }
    std::string value;
    if (FindAttribute(element, "hidden", &value)) {
        return true;
    }
    if (FindAttribute(element, "style", &value)) {
        std::string squeezed;
        for (char c : value) {
            if (c != ' ' && c != '\t') {
                squeezed.push_back(LowerAscii(c));
            }
        }
        if (squeezed.find("display:none") != std::string::npos) {
            return true;
        }
    }
    // A printed edition's page numbers, placed between the words.
    return FindAttribute(element, "type", &value) && HasToken(value, "pagebreak");
}

}  // namespace

ContentText::Kind ContentText::Enter(const xmlNode* element,
                                     const std::unordered_set<std::string>& wantedIds,
                                     std::unordered_map<std::string, std::size_t>& anchors) {
    static const std::vector<std::pair<std::string_view, Kind>> kKinds = {
        {"p", Kind::Block},          {"div", Kind::Block},        {"br", Kind::Break},
        {"span", Kind::Inline},      {"a", Kind::Inline},         {"i", Kind::Inline},
        {"em", Kind::Inline},        {"b", Kind::Inline},         {"strong", Kind::Inline},
        {"h1", Kind::Heading},       {"h2", Kind::Heading},       {"h3", Kind::Heading},
        {"h4", Kind::Block},         {"h5", Kind::Block},         {"h6", Kind::Block},
        {"li", Kind::Block},         {"blockquote", Kind::Block}, {"dt", Kind::Block},
        {"dd", Kind::Block},         {"tr", Kind::Block},         {"td", Kind::Cell},
        {"th", Kind::Cell},          {"pre", Kind::Pre},          {"section", Kind::Block},
        {"article", Kind::Block},    {"aside", Kind::Block},      {"body", Kind::Block},
        {"html", Kind::Block},       {"header", Kind::Block},     {"footer", Kind::Block},
        {"main", Kind::Block},       {"nav", Kind::Block},        {"figure", Kind::Block},
        {"figcaption", Kind::Block}, {"address", Kind::Block},    {"caption", Kind::Block},
        {"center", Kind::Block},     {"details", Kind::Block},    {"summary", Kind::Block},
        {"dialog", Kind::Block},     {"dl", Kind::Block},         {"ol", Kind::Block},
        {"ul", Kind::Block},         {"table", Kind::Block},      {"thead", Kind::Block},
        {"tbody", Kind::Block},      {"tfoot", Kind::Block},      {"hr", Kind::Block},
        {"hgroup", Kind::Block},     {"fieldset", Kind::Block},   {"legend", Kind::Block},
        {"form", Kind::Block},       {"head", Kind::Skip},        {"script", Kind::Skip},
        {"style", Kind::Skip},       {"template", Kind::Skip},    {"svg", Kind::Skip},
        {"rt", Kind::Skip},          {"rp", Kind::Skip},          {"title", Kind::Skip},
    };
    Kind kind = Kind::Inline;
    for (const auto& [name, k] : kKinds) {
        if (NameIs(element, name)) {
            kind = k;
            break;
        }
    }
    if (kind != Kind::Skip && HidesItsContent(element)) {
        kind = Kind::Skip;
    }
    if (!wantedIds.empty() && element->properties != nullptr) {
        std::string id;
        if (FindAttribute(element, "id", &id) ||
            (NameIs(element, "a") && FindAttribute(element, "name", &id))) {
            if (wantedIds.contains(id)) {
                anchors.try_emplace(id, m_paragraphs.size());
            }
        }
    }
    switch (kind) {
        case Kind::Block:
        case Kind::Break:
            EndParagraph();
            break;
        case Kind::Heading:
            EndParagraph();
            ++m_headingDepth;
            break;
        case Kind::Pre:
            EndParagraph();
            ++m_preDepth;
            break;
        case Kind::Cell:
            m_blankPending = !m_current.empty();
            break;
        case Kind::Inline:
        case Kind::Skip:
            break;
    }
    return kind;
}

void ContentText::Leave(Kind kind) {
    if (kind == Kind::Block) {
        EndParagraph();
    } else if (kind == Kind::Heading) {
        EndParagraph();
        --m_headingDepth;
    } else if (kind == Kind::Pre) {
        EndParagraph();
        --m_preDepth;
    }
}

void ContentText::AddText(const unsigned char* text) {
    for (const unsigned char* p = text; *p != 0; ++p) {
        const unsigned char c = *p;
        if (c == '\n' && m_preDepth > 0) {
            EndParagraph();
            continue;
        }
        if (IsBlankByte(c)) {
            m_blankPending = !m_current.empty();
            continue;
        }
        // A zero-width no-break space (byte-order mark) shows nothing; a soft hyphen,
        // put in by hyphenating book makers, shows only at a line end and would
        // otherwise split a word from its dictionary entry.
        if (c == 0xEF && p[1] == 0xBB && p[2] == 0xBF) {
            p += 2;
            continue;
        }
        if (c == 0xC2 && p[1] == 0xAD) {
            p += 1;
            continue;
        }
        if (m_blankPending) {
            m_current.push_back(' ');
            m_blankPending = false;
        }
        m_current.push_back(static_cast<char>(c));
    }
}

void ContentText::EndParagraph() {
    m_blankPending = false;
    if (m_current.empty()) {
        return;
    }
    TrimNoBreakSpaces(m_current);
    if (!m_current.empty()) {
        if (m_headingDepth > 0) {
            m_headings.push_back(m_paragraphs.size());
        }
        m_paragraphs.push_back(std::move(m_current));
    }
    m_current.clear();
}

void ContentText::Append(const xmlNode* root, const std::unordered_set<std::string>& wantedIds,
                         std::unordered_map<std::string, std::size_t>& anchors) {
    // Document order without recursion, entering and leaving every element; the kind
    // of each open element is kept for its leaving.
    std::vector<Kind> open;
    const xmlNode* node = root;
    while (node != nullptr) {
        bool descend = false;
        if (node->type == XML_ELEMENT_NODE) {
            const Kind kind = Enter(node, wantedIds, anchors);
            if (kind != Kind::Skip && node->children != nullptr) {
                open.push_back(kind);
                descend = true;
            } else {
                Leave(kind);
            }
        } else if ((node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE) &&
                   node->content != nullptr) {
            AddText(node->content);
        }
        if (descend) {
            node = node->children;
            continue;
        }
        while (node != root && node->next == nullptr) {
            node = node->parent;
            Leave(open.back());
            open.pop_back();
        }
        node = node == root ? nullptr : node->next;
    }
    EndParagraph();
}
