#pragma once

#include <ostream>
#include <string>
#include <string_view>

class CParagraphList;

// The glossed text in the forms `vellumwise-tool gloss` prints. Glosses are
// written in UTF-8.

// One line per token: paragraph TAB token index TAB token TAB gloss. Other
// programs compare against this form, so it never changes. With `why`, a fifth
// column says what chose the gloss: "part of speech" (the token's use chose a
// sense of its entry), "entry" (the entry's own gloss), empty for no gloss.
void WriteGlossTsv(std::ostream& out, const CParagraphList& text, bool why = false);
// The paragraphs as read, each glossed word followed by its gloss in brackets.
void WriteGlossText(std::ostream& out, const CParagraphList& text);
// One standalone page with every glossed word as <ruby>word<rt>gloss</rt></ruby>.
void WriteGlossHtml(std::ostream& out, const CParagraphList& text, std::string_view title);

// A token or gloss for the tsv form: backslash, TAB, CR, LF and the other
// control bytes escaped, bytes from 0x80 as they are.
std::string EscapeTsvField(std::string_view bytes);
