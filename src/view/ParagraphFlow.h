#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

class CParagraphList;

// How the book layout sets each source line of a text (each of the list's paragraphs).
enum class LineStart : std::uint8_t {
    Paragraph,  // a new paragraph, with a gap above it
    Line,       // a line of its own in the same paragraph (verse, an address, a table row)
    Continues,  // flowed on after the line before, as part of the same paragraph
};

// The lines of a hard-wrapped text (most lines inside its blank-line-separated blocks
// end near one width) flow into one paragraph per block, except in blocks whose lines
// are short, indented, or start with capitals like verse: those keep their lines. A
// text that separates paragraphs with blank lines starts one at each blank line; one
// that does not (a paragraph a line, an EPUB) at every line. Lines of blanks alone
// take no room. Decided from the text alone, once per text.
std::vector<LineStart> FlowOf(const CParagraphList& text);

// What the book layout reads of each token, by the store's token index: bits of
// TokenJoin. Like the flow, it depends on the text alone.
enum TokenJoin : std::uint8_t {
    kJoinEmpty = 1,        // an empty token, where blanks were
    kJoinBreakBefore = 2,  // a line may break before it, and a space stands there
    kJoinClosing = 4,      // closing punctuation
    kJoinOpening = 8,      // opening punctuation
    // Typewriters' "--": its first hyphen is shown as one em dash, its second takes no
    // room. Display only: the tokens stay two hyphens.
    kJoinDashStart = 16,
    kJoinDashEnd = 32,
};
std::vector<std::uint8_t> TokenJoinsOf(const CParagraphList& text);

// The heading lines of a plain text, as paragraph indexes in text order: a line alone
// between blank lines (or at the text's start or end) that names a BOOK, PART, VOLUME
// or CHAPTER ("Chapter 12"), is a Roman numeral alone ("IX."), or is short and in
// capitals. Empty for a text that does not separate paragraphs with blank lines.
// `flow` is FlowOf(text).
std::vector<std::size_t> HeadingsOf(const CParagraphList& text, const std::vector<LineStart>& flow);

// All three, as the window keeps them for the text it shows. The headings are those
// the source marked (an EPUB's titles) when it marked any, else the heading lines.
struct BookFlow {
    std::vector<LineStart> lines;
    std::vector<std::uint8_t> joins;
    std::vector<std::size_t> headings;

    static BookFlow Of(const CParagraphList& text);
};
