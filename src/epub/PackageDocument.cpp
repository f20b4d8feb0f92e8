#include "PackageDocument.h"

#include <unordered_map>
#include <unordered_set>

#include "BookPath.h"
#include "EpubError.h"
#include "Markup.h"
#include "ZipArchive.h"

namespace {

constexpr const char* kContainer = "META-INF/container.xml";
constexpr const char* kEncryption = "META-INF/encryption.xml";

struct ManifestItem {
    std::string member;  // empty when the href leaves the book
    std::string href;    // as written, for messages
    std::string mediaType;
    std::string properties;
};

// (X)HTML by its media type, or by its name when a careless book gives none.
bool IsContent(const ManifestItem& item) {
    if (item.mediaType.empty()) {
        const std::string& name = item.member;
        return name.ends_with(".xhtml") || name.ends_with(".html") || name.ends_with(".htm");
    }
    return item.mediaType == "application/xhtml+xml" || item.mediaType == "text/html" ||
           item.mediaType == "text/x-oeb1-document";
}

std::string PackagePath(ZipArchive& zip) {
    if (!zip.Has(kContainer)) {
        throw EpubError(EpubFault::NoContainer, std::string("缺少 ") + kContainer);
    }
    const XmlDocPtr container = ParseXml(zip.Read(kContainer));
    if (container == nullptr) {
        throw EpubError(EpubFault::NoContainer, std::string(kContainer) + " 无法解析");
    }
    // The first rootfile of the package type; older books leave the type out.
    std::string chosen;
    xmlNode* rootfiles = FindElement(xmlDocGetRootElement(container.get()), "rootfiles");
    for (xmlNode* node = rootfiles != nullptr ? rootfiles->children : nullptr; node != nullptr;
         node = node->next) {
        if (!IsElement(node) || !NameIs(node, "rootfile")) {
            continue;
        }
        const std::string path = Attribute(node, "full-path");
        const std::string type = Attribute(node, "media-type");
        if (!path.empty() && type == "application/oebps-package+xml") {
            chosen = path;
            break;
        }
        if (!path.empty() && type.empty() && chosen.empty()) {
            chosen = path;
        }
    }
    const std::optional<std::string> member =
        chosen.empty() ? std::nullopt : NormalizedMemberName(chosen);
    if (!member || member->empty()) {
        throw EpubError(EpubFault::NoContainer, std::string(kContainer) + " 没有指明包文件");
    }
    return *member;
}

// Members the encryption list names (its URIs are relative to the archive root).
std::unordered_set<std::string> EncryptedMembers(ZipArchive& zip) {
    std::unordered_set<std::string> members;
    if (!zip.Has(kEncryption)) {
        return members;
    }
    const XmlDocPtr list = ParseXml(zip.Read(kEncryption));
    if (list == nullptr) {
        return members;
    }
    for (xmlNode* node = xmlDocGetRootElement(list.get()); node != nullptr;) {
        if (IsElement(node) && NameIs(node, "cipherreference")) {
            if (const auto target = ResolveHref("", Attribute(node, "uri"))) {
                members.insert(target->member);
            }
        }
        // Document order without recursion.
        if (node->children != nullptr && IsElement(node)) {
            node = node->children;
            continue;
        }
        while (node != nullptr && node->next == nullptr) {
            node = node->parent;
        }
        node = node != nullptr ? node->next : nullptr;
    }
    return members;
}

}  // namespace

PackageDocument ReadPackageDocument(ZipArchive& zip) {
    PackageDocument package;
    package.path = PackagePath(zip);
    if (!zip.Has(package.path)) {
        throw EpubError(EpubFault::NoPackage, "缺少包文件 " + package.path);
    }
    const XmlDocPtr opf = ParseXml(zip.Read(package.path));
    xmlNode* root = opf != nullptr ? xmlDocGetRootElement(opf.get()) : nullptr;
    xmlNode* manifest =
        root != nullptr && NameIs(root, "package") ? ChildElement(root, "manifest") : nullptr;
    xmlNode* spine =
        root != nullptr && NameIs(root, "package") ? ChildElement(root, "spine") : nullptr;
    if (manifest == nullptr || spine == nullptr) {
        throw EpubError(EpubFault::BrokenPackage, "包文件 " + package.path + " 已损坏");
    }

    std::unordered_map<std::string, ManifestItem> items;
    for (xmlNode* node = manifest->children; node != nullptr; node = node->next) {
        if (!IsElement(node) || !NameIs(node, "item")) {
            continue;
        }
        ManifestItem item;
        item.href = Attribute(node, "href");
        if (const auto target = ResolveHref(package.path, item.href)) {
            item.member = target->member;
        }
        item.mediaType = Attribute(node, "media-type");
        item.properties = Attribute(node, "properties");
        if (package.nav.empty() && HasToken(item.properties, "nav") && !item.member.empty()) {
            package.nav = item.member;
        }
        if (package.ncx.empty() && item.mediaType == "application/x-dtbncx+xml") {
            package.ncx = item.member;
        }
        items.emplace(Attribute(node, "id"), std::move(item));
    }
    // The spine's own pointer to the NCX wins over a guess by media type.
    if (const auto toc = items.find(Attribute(spine, "toc"));
        toc != items.end() && !toc->second.member.empty()) {
        package.ncx = toc->second.member;
    }

    std::vector<std::string> nonLinear;
    bool anyItem = false;
    for (xmlNode* node = spine->children; node != nullptr; node = node->next) {
        if (!IsElement(node) || !NameIs(node, "itemref")) {
            continue;
        }
        anyItem = true;
        const std::string idref = Attribute(node, "idref");
        const auto item = items.find(idref);
        if (item == items.end()) {
            throw EpubError(EpubFault::MissingItem, "书脊条目 " + idref + " 不在清单中");
        }
        if (!IsContent(item->second)) {
            continue;
        }
        if (item->second.member.empty() || !zip.Has(item->second.member)) {
            const std::string& named =
                item->second.member.empty() ? item->second.href : item->second.member;
            throw EpubError(EpubFault::MissingItem, "缺少书中的文件 " + named);
        }
        (Attribute(node, "linear") == "no" ? nonLinear : package.reading)
            .push_back(item->second.member);
    }
    if (!anyItem) {
        throw EpubError(EpubFault::Empty, "书脊是空的");
    }
    package.reading.insert(package.reading.end(), nonLinear.begin(), nonLinear.end());

    // Font obfuscation also uses the encryption list; only encrypted text is fatal.
    const std::unordered_set<std::string> encrypted = EncryptedMembers(zip);
    for (const std::string& member : package.reading) {
        if (encrypted.contains(member)) {
            throw EpubError(EpubFault::Encrypted, "内容受 DRM 加密保护：" + member);
        }
    }
    for (std::string* member : {&package.nav, &package.ncx}) {
        if (encrypted.contains(*member)) {
            member->clear();
        }
    }
    return package;
}
