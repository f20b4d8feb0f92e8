#pragma once

#include <libxml/tree.h>

#include <cstddef>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// Turns one content document into paragraphs: each block element (p, div, h1-h6,
// li, blockquote, dt, dd, a table row, ...) ends the paragraph before it and the
// one it holds; inline elements join their text; <br> ends a paragraph; <pre>
// keeps its lines. Runs of blanks become one space. Not shown, so not read: head,
// script, style, template, svg, ruby annotations, elements marked hidden or
// display:none, print page-break markers, soft hyphens. Only paragraphs with
// something other than blanks are added; those inside h1-h3 (a book's part, chapter
// and section titles) are also named in `headings`, by index, in order.
class ContentText {
public:
    ContentText(std::vector<std::string>& paragraphs, std::vector<std::size_t>& headings)
        : m_paragraphs(paragraphs), m_headings(headings) {}

    // Appends the paragraphs under `root`. For each element id (or <a name>) in
    // `wantedIds`, records in `anchors` the index of the first paragraph at or after
    // its start.
    void Append(const xmlNode* root, const std::unordered_set<std::string>& wantedIds,
                std::unordered_map<std::string, std::size_t>& anchors);

private:
    enum class Kind { Inline, Block, Heading, Break, Cell, Pre, Skip };

    // Called on entering an element: its kind once its attributes are seen.
    Kind Enter(const xmlNode* element, const std::unordered_set<std::string>& wantedIds,
               std::unordered_map<std::string, std::size_t>& anchors);
    void Leave(Kind kind);
    void AddText(const unsigned char* text);
    void EndParagraph();

    std::vector<std::string>& m_paragraphs;
    std::vector<std::size_t>& m_headings;
    std::string m_current;
    bool m_blankPending = false;
    int m_preDepth = 0;
    int m_headingDepth = 0;
};
