#pragma once

#include <libxml/tree.h>

#include <memory>
#include <string>
#include <string_view>

// libxml2 documents and the few questions the book reader asks of their nodes.
// Names are compared without regard to ASCII case and namespace prefix, so that
// XHTML read as XML and as HTML look the same.

struct XmlDocFree {
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
using XmlDocPtr = std::unique_ptr<xmlDoc, XmlDocFree>;

// Package files (container, package document, NCX, encryption list): XML, with
// libxml2 recovering what it can of a damaged file. Null when nothing is left.
// Both parses throw EpubError (TooLarge) when they pass the XmlBudget.
XmlDocPtr ParseXml(std::string_view bytes);

// A content document: XHTML read as XML when it is well-formed, otherwise by the
// tolerant HTML parser. HTML named entities (&nbsp; &mdash;) are understood either
// way, declared or not. Returns the document and its <html> or <body> element;
// null when the bytes are not a web page at all.
struct ContentDocument {
    XmlDocPtr doc;
    xmlNode* root = nullptr;
};
ContentDocument ParseXhtml(std::string_view bytes);

// Both parsers take the bytes without a DOCTYPE's internal subset: the entities a
// book declares there could expand a few kilobytes into gigabytes, and no book needs
// them (HTML's own names are rewritten below). True, with the bytes in `out`, when
// there was one. Entities are never substituted and no DTD is loaded.
bool WithoutInternalSubset(std::string_view bytes, std::string& out);

// `&name;` for every HTML entity name libxml2 knows (other than the five XML
// ones) rewritten as a numeric reference. False, and `out` untouched, when there
// is none.
bool WithNumericEntities(std::string_view bytes, std::string& out);

bool IsElement(const xmlNode* node);
// The element's name without its prefix ("epub:switch" -> "switch").
std::string_view LocalName(const xmlNode* node);
// The local name equals `lowerName` (given in lower case) in any case.
bool NameIs(const xmlNode* node, std::string_view lowerName);
// The value of the attribute with this local name (any prefix), or nullopt.
bool FindAttribute(const xmlNode* node, std::string_view lowerName, std::string* value);
std::string Attribute(const xmlNode* node, std::string_view lowerName);
// The node's text with runs of blanks made one space and no blank at either end.
std::string CollapsedText(const xmlNode* node);
// The first child element with this local name, or null.
xmlNode* ChildElement(const xmlNode* node, std::string_view lowerName);
// The first element with this local name in document order under `node` (itself
// included), or null.
xmlNode* FindElement(xmlNode* node, std::string_view lowerName);
// Whether a space-separated list ("toc landmarks") holds `token`.
bool HasToken(std::string_view list, std::string_view token);
