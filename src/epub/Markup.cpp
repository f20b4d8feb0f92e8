#include "Markup.h"

#include <libxml/HTMLparser.h>
#include <libxml/parser.h>

#include <climits>
#include <mutex>

#include "AsciiText.h"

namespace {

void InitialiseOnce() {
    static std::once_flag once;
    std::call_once(once, [] { xmlInitParser(); });
}

std::string_view WithoutPrefix(std::string_view name) {
    const std::size_t colon = name.rfind(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

bool IsAlnum(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool IsXmlEntity(std::string_view name) {
    return name == "amp" || name == "lt" || name == "gt" || name == "quot" || name == "apos";
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

constexpr int kXmlOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING |
                            XML_PARSE_NOCDATA | XML_PARSE_COMPACT;

// The bytes as libxml2 takes them: one int of length.
bool FitsParser(std::string_view bytes) { return bytes.size() < static_cast<std::size_t>(INT_MAX); }

XmlDocPtr ReadXml(std::string_view bytes, int extraOptions) {
    return XmlDocPtr(xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr,
                                   kXmlOptions | extraOptions));
}

xmlNode* HtmlOrBody(xmlDoc* doc) {
    for (xmlNode* node = doc->children; node != nullptr; node = node->next) {
        if (IsElement(node) && (NameIs(node, "html") || NameIs(node, "body"))) {
            return node;
        }
    }
    return nullptr;
}

}  // namespace

bool WithNumericEntities(std::string_view bytes, std::string& out) {
    std::string rewritten;
    std::size_t copied = 0;
    std::size_t at = bytes.find('&');
    std::string name;
    while (at != std::string_view::npos) {
        std::size_t end = at + 1;
        while (end < bytes.size() && end - at <= 32 && IsAlnum(bytes[end])) {
            ++end;
        }
        if (end < bytes.size() && bytes[end] == ';' && end > at + 1) {
            name.assign(bytes.substr(at + 1, end - at - 1));
            const htmlEntityDesc* entity =
                IsXmlEntity(name)
                    ? nullptr
                    : htmlEntityLookup(reinterpret_cast<const xmlChar*>(name.c_str()));
            if (entity != nullptr) {
                rewritten.append(bytes.substr(copied, at - copied));
                rewritten += "&#" + std::to_string(entity->value) + ";";
                copied = end + 1;
            }
        }
        at = bytes.find('&', end);
    }
    if (copied == 0) {
        return false;
    }
    rewritten.append(bytes.substr(copied));
    out = std::move(rewritten);
    return true;
}

XmlDocPtr ParseXml(std::string_view bytes) {
    InitialiseOnce();
    std::string rewritten;
    const std::string_view text = WithNumericEntities(bytes, rewritten) ? rewritten : bytes;
    if (!FitsParser(text)) {
        return nullptr;
    }
    XmlDocPtr doc = ReadXml(text, XML_PARSE_RECOVER);
    if (doc != nullptr && xmlDocGetRootElement(doc.get()) == nullptr) {
        doc.reset();
    }
    return doc;
}

ContentDocument ParseXhtml(std::string_view bytes) {
    InitialiseOnce();
    std::string rewritten;
    const std::string_view text = WithNumericEntities(bytes, rewritten) ? rewritten : bytes;
    ContentDocument content;
    if (!FitsParser(text)) {
        return content;
    }
    content.doc = ReadXml(text, 0);
    if (content.doc == nullptr) {
        // EPUB content is UTF-8 or UTF-16; the HTML parser would otherwise guess Latin-1.
        const bool utf16 = text.size() >= 2 && ((text[0] == '\xFF' && text[1] == '\xFE') ||
                                                (text[0] == '\xFE' && text[1] == '\xFF'));
        content.doc.reset(htmlReadMemory(
            text.data(), static_cast<int>(text.size()), nullptr, utf16 ? nullptr : "UTF-8",
            HTML_PARSE_RECOVER | HTML_PARSE_NONET | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING |
                HTML_PARSE_NOIMPLIED | HTML_PARSE_COMPACT));
    }
    if (content.doc != nullptr) {
        content.root = HtmlOrBody(content.doc.get());
    }
    if (content.root == nullptr) {
        content.doc.reset();
    }
    return content;
}

bool IsElement(const xmlNode* node) { return node != nullptr && node->type == XML_ELEMENT_NODE; }

std::string_view LocalName(const xmlNode* node) {
    return node->name == nullptr ? std::string_view()
                                 : WithoutPrefix(reinterpret_cast<const char*>(node->name));
}

bool NameIs(const xmlNode* node, std::string_view lowerName) {
    return EqualsIgnoringAsciiCase(LocalName(node), lowerName);
}

bool FindAttribute(const xmlNode* node, std::string_view lowerName, std::string* value) {
    if (!IsElement(node)) {
        return false;
    }
    for (const xmlAttr* attr = node->properties; attr != nullptr; attr = attr->next) {
        if (attr->name == nullptr ||
            !EqualsIgnoringAsciiCase(WithoutPrefix(reinterpret_cast<const char*>(attr->name)),
                                     lowerName)) {
            continue;
        }
        const xmlNode* child = attr->children;
        if (child != nullptr && child->next == nullptr && child->type == XML_TEXT_NODE &&
            child->content != nullptr) {
            value->assign(reinterpret_cast<const char*>(child->content));
        } else {
            xmlChar* joined = xmlNodeListGetString(node->doc, attr->children, 1);
            value->assign(joined != nullptr ? reinterpret_cast<const char*>(joined) : "");
            xmlFree(joined);
        }
        return true;
    }
    return false;
}

std::string Attribute(const xmlNode* node, std::string_view lowerName) {
    std::string value;
    FindAttribute(node, lowerName, &value);
    return value;
}

std::string CollapsedText(const xmlNode* node) {
    xmlChar* content = xmlNodeGetContent(node);
    std::string out;
    bool blank = false;
    for (const xmlChar* p = content; p != nullptr && *p != 0; ++p) {
        const char c = static_cast<char>(*p);
        if (IsBlank(c) || static_cast<unsigned char>(c) < 0x20) {
            blank = !out.empty();
            continue;
        }
        if (blank) {
            out.push_back(' ');
            blank = false;
        }
        out.push_back(c);
    }
    xmlFree(content);
    return out;
}

xmlNode* ChildElement(const xmlNode* node, std::string_view lowerName) {
    for (xmlNode* child = node->children; child != nullptr; child = child->next) {
        if (IsElement(child) && NameIs(child, lowerName)) {
            return child;
        }
    }
    return nullptr;
}

xmlNode* FindElement(xmlNode* node, std::string_view lowerName) {
    // Iterative: an HTML document may nest deeper than the stack would like.
    xmlNode* top = node;
    while (node != nullptr) {
        if (IsElement(node) && NameIs(node, lowerName)) {
            return node;
        }
        if (node->children != nullptr && node->type == XML_ELEMENT_NODE) {
            node = node->children;
            continue;
        }
        while (node != nullptr && node != top && node->next == nullptr) {
            node = node->parent;
        }
        node = node == nullptr || node == top ? nullptr : node->next;
    }
    return nullptr;
}

bool HasToken(std::string_view list, std::string_view token) {
    std::size_t start = 0;
    while (start < list.size()) {
        std::size_t end = list.find_first_of(" \t\r\n", start);
        if (end == std::string_view::npos) {
            end = list.size();
        }
        if (list.substr(start, end - start) == token) {
            return true;
        }
        start = end + 1;
    }
    return false;
}
