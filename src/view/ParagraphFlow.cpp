#include "ParagraphFlow.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>

#include "CParagraphList.h"
#include "PrintSpacing.h"

namespace {

bool IsBlankByte(char c) { return c == ' ' || c == '\t'; }

// Whether a blank stands just before `offset` (a no-break space ends in A0 after C2,
// which no other character does).
bool FollowsBlank(std::string_view line, std::uint32_t offset) {
    if (offset == 0) {
        return false;
    }
    const auto c = static_cast<unsigned char>(line[offset - 1]);
    return IsBlankByte(static_cast<char>(c)) ||
           (c == 0xA0 && offset >= 2 && static_cast<unsigned char>(line[offset - 2]) == 0xC2);
}

// A source line as the rule sees it, in characters.
struct LineShape {
    std::uint32_t indent = 0;     // leading blanks
    std::uint32_t length = 0;     // up to the last non-blank character
    std::uint32_t firstWord = 0;  // up to the first blank after the indent
    bool startsUpper = false;     // its first letter (after quotes) is a capital
    bool blankBefore = false;     // an empty line (or more) stands before it
    bool blanksOnly = false;
};

// UTF-8 characters: the bytes that are not continuation bytes (10xxxxxx), counted
// eight at a time, since every line of the text is counted. The marks (one bit at the
// top of each byte) are summed by one multiplication: without a popcount instruction
// in the target, std::popcount is a library call.
std::uint32_t Characters(std::string_view text) {
    std::size_t continuations = 0;
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t bytes = 0;
        std::memcpy(&bytes, text.data() + i, 8);
        const std::uint64_t marks = (bytes & ~(bytes << 1) & 0x8080808080808080ull) >> 7;
        continuations += static_cast<std::size_t>((marks * 0x0101010101010101ull) >> 56);
    }
    for (; i < text.size(); ++i) {
        continuations += (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80 ? 1 : 0;
    }
    return static_cast<std::uint32_t>(text.size() - continuations);
}

LineShape ShapeOf(std::string_view line) {
    LineShape shape;
    std::size_t start = 0;
    while (start < line.size() && IsBlankByte(line[start])) {
        ++start;
    }
    std::size_t end = line.size();
    while (end > start && IsBlankByte(line[end - 1])) {
        --end;
    }
    shape.blanksOnly = start == end;
    shape.indent = static_cast<std::uint32_t>(start);
    shape.length = shape.indent + Characters(line.substr(start, end - start));
    std::size_t wordEnd = start;
    while (wordEnd < end && !IsBlankByte(line[wordEnd])) {
        ++wordEnd;
    }
    shape.firstWord = Characters(line.substr(start, wordEnd - start));
    // The first letter or digit, past quotes and brackets.
    for (std::size_t i = start; i < end; ++i) {
        const char c = line[i];
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
            shape.startsUpper = c >= 'A' && c <= 'Z';
            break;
        }
    }
    return shape;
}

// Wrapping tools leave lines of a prose block between the width less its longest word
// and the width; the width is read as the line length nine lines in ten stay within.
constexpr double kWidthShare = 0.9;
// Texts wrapped narrower than this are more likely verse than prose.
constexpr std::uint32_t kNarrowestWrap = 50;
// Wider than this, the "lines" are paragraphs.
constexpr std::uint32_t kWidestWrap = 120;
// A line is full when it and the next line's first word would not fit this share of
// the width: where a wrapping tool breaks.
constexpr double kFullShare = 0.85;
// Hard-wrapped when this share of the lines inside blocks are full...
constexpr double kFullLinesShare = 0.6;
// ...and at least this share of the lines follow a blank line.
constexpr double kBlankSeparatedShare = 0.02;
// A block of this many lines or more after its first, most of them (this share)
// starting with capitals, is verse.
constexpr std::size_t kVerseLines = 3;
// A line set in by this many blanks or more is indented; one blank is a slip.
constexpr std::uint32_t kIndent = 2;
constexpr double kVerseCapitalShare = 0.75;

bool IsFull(const LineShape& line, const LineShape& next, std::uint32_t width) {
    return line.length + 1 + next.firstWord >= kFullShare * width;
}

// Whether a block of lines first … last - 1 (no blank line among them) reads as one
// wrapped paragraph.
bool FlowsAsProse(const std::vector<LineShape>& shapes, std::size_t first, std::size_t last,
                  std::uint32_t width) {
    std::size_t capitals = 0;
    for (std::size_t i = first + 1; i < last; ++i) {
        // An indented line after the first: a quotation, an address, a table.
        if (shapes[i].indent >= kIndent || !IsFull(shapes[i - 1], shapes[i], width)) {
            return false;
        }
        capitals += shapes[i].startsUpper ? 1 : 0;
    }
    const std::size_t later = last - first - 1;
    return later < kVerseLines || capitals < kVerseCapitalShare * static_cast<double>(later);
}

}  // namespace

std::vector<LineStart> FlowOf(const CParagraphList& text) {
    const std::vector<CParagraph>& paragraphs = text.m_arrParagraphs;
    std::vector<LineShape> shapes(paragraphs.size());
    std::size_t afterBlank = 0;
    std::vector<std::uint32_t> lengths;
    lengths.reserve(paragraphs.size());
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        const std::string_view line = paragraphs[i].m_strText;
        shapes[i] = ShapeOf(line);
        if (i > 0) {
            // The bytes between two lines of the store's text: one line end, or more.
            const std::string_view before = paragraphs[i - 1].m_strText;
            const char* gapStart = before.data() + before.size();
            const std::string_view gap(gapStart, static_cast<std::size_t>(line.data() - gapStart));
            shapes[i].blankBefore =
                std::count(gap.begin(), gap.end(), '\n') > 1 || shapes[i - 1].blanksOnly;
        }
        if (shapes[i].blanksOnly) {
            continue;
        }
        afterBlank += shapes[i].blankBefore ? 1 : 0;
        lengths.push_back(shapes[i].length);
    }
    std::vector<LineStart> flow(paragraphs.size(), LineStart::Paragraph);
    if (lengths.empty()) {
        return flow;
    }
    const bool blankSeparated = static_cast<double>(afterBlank) >=
                                kBlankSeparatedShare * static_cast<double>(lengths.size());
    const auto widthAt =
        lengths.begin() +
        static_cast<std::ptrdiff_t>(kWidthShare * static_cast<double>(lengths.size() - 1));
    std::nth_element(lengths.begin(), widthAt, lengths.end());
    const std::uint32_t width = *widthAt;

    // Full lines among those another line of their block follows.
    std::size_t inner = 0;
    std::size_t full = 0;
    for (std::size_t i = 1; i < shapes.size(); ++i) {
        if (!shapes[i].blanksOnly && !shapes[i].blankBefore && !shapes[i - 1].blanksOnly) {
            ++inner;
            full += IsFull(shapes[i - 1], shapes[i], width) ? 1 : 0;
        }
    }
    const bool hardWrapped =
        blankSeparated && width >= kNarrowestWrap && width <= kWidestWrap && inner > 0 &&
        static_cast<double>(full) >= kFullLinesShare * static_cast<double>(inner);

    for (std::size_t first = 0; first < shapes.size();) {
        std::size_t last = first + 1;
        while (last < shapes.size() && !shapes[last].blankBefore && !shapes[last].blanksOnly) {
            ++last;
        }
        const bool flows = hardWrapped && FlowsAsProse(shapes, first, last, width);
        for (std::size_t i = first; i < last; ++i) {
            if (i == first) {
                flow[i] = first == 0 || shapes[i].blankBefore || !blankSeparated
                              ? LineStart::Paragraph
                              : LineStart::Line;
            } else {
                flow[i] = flows            ? LineStart::Continues
                          : blankSeparated ? LineStart::Line
                                           : LineStart::Paragraph;
            }
        }
        // Lines of blanks alone go with the line before them, taking no room.
        while (last < shapes.size() && shapes[last].blanksOnly) {
            flow[last++] = LineStart::Continues;
        }
        first = last;
    }
    if (!flow.empty()) {
        flow[0] = LineStart::Paragraph;
    }
    return flow;
}

std::vector<std::uint8_t> TokenJoinsOf(const CParagraphList& text) {
    const TextStore& store = text.Store();
    std::vector<std::uint8_t> joins(store.tokenOffsets.size(), 0);
    for (const CParagraph& paragraph : text.m_arrParagraphs) {
        const std::string_view line = paragraph.m_strText;
        const std::size_t first = paragraph.FirstToken();
        bool ownBefore = false;
        std::size_t lastVisible = 0;
        Punctuation before = Punctuation::None;
        for (std::size_t j = 0; j < paragraph.TokenCount(); ++j) {
            if (store.tokenWords[first + j] == SplitText::kEmptyToken) {
                joins[first + j] = kJoinEmpty;
                continue;
            }
            // Read where the token starts: a punctuation mark is a token of its own, so
            // its first character decides, and only blanks lie between tokens.
            const std::uint32_t offset = store.tokenOffsets[first + j];
            const Punctuation mark = PunctuationAt(line.substr(offset, 3));
            std::uint8_t join = mark == Punctuation::Closing   ? kJoinClosing
                                : mark == Punctuation::Opening ? kJoinOpening
                                                               : 0;
            // No break before closing punctuation or after opening, whatever the blanks.
            if (ownBefore && FollowsBlank(line, offset) && mark != Punctuation::Closing &&
                before != Punctuation::Opening) {
                join |= kJoinBreakBefore;
            }
            // The second hyphen of "--", against the first (the tokenizer puts an
            // empty token between them).
            if (ownBefore && line[offset] == '-' && offset > 0 && line[offset - 1] == '-' &&
                (joins[lastVisible] & (kJoinDashStart | kJoinDashEnd)) == 0) {
                joins[lastVisible] |= kJoinDashStart;
                join |= kJoinDashEnd;
            }
            joins[first + j] = join;
            lastVisible = first + j;
            ownBefore = true;
            before = mark;
        }
    }
    return joins;
}

namespace {

// Headings are short: a chapter's title, not a sentence of the text.
constexpr std::size_t kLongestHeading = 50;

bool StartsWithWord(std::string_view line, std::string_view word) {
    if (line.size() < word.size()) {
        return false;
    }
    for (std::size_t i = 0; i < word.size(); ++i) {
        const char c = line[i];
        const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        if (lower != word[i]) {
            return false;
        }
    }
    return line.size() == word.size() || line[word.size()] == ' ';
}

bool IsRomanNumeral(std::string_view word) {
    return !word.empty() && word.find_first_not_of("IVXLCDM") == std::string_view::npos;
}

bool IsHeadingLine(std::string_view line) {
    const std::size_t start = line.find_first_not_of(" \t");
    const std::size_t end = line.find_last_not_of(" \t.");
    if (start == std::string_view::npos || end == std::string_view::npos || end < start) {
        return false;
    }
    line = line.substr(start, end + 1 - start);
    // A line in quotation marks is someone speaking, however it is written.
    if (line.size() > kLongestHeading || line.starts_with('"') || line.starts_with('\'') ||
        line.starts_with("\u201C") || line.starts_with("\u2018")) {
        return false;
    }
    for (const std::string_view word : {"chapter", "book", "part", "volume"}) {
        if (StartsWithWord(line, word)) {
            return true;
        }
    }
    if (IsRomanNumeral(line)) {
        return true;
    }
    std::size_t capitals = 0;
    for (const char c : line) {
        if (c >= 'a' && c <= 'z') {
            return false;
        }
        capitals += c >= 'A' && c <= 'Z' ? 1 : 0;
    }
    return capitals >= 3;
}

}  // namespace

std::vector<std::size_t> HeadingsOf(const CParagraphList& text,
                                    const std::vector<LineStart>& flow) {
    std::vector<std::size_t> headings;
    const std::vector<CParagraph>& paragraphs = text.m_arrParagraphs;
    // Blank-line-separated texts only: elsewhere every line stands alone.
    std::size_t lines = 0;
    for (const LineStart start : flow) {
        lines += start == LineStart::Line || start == LineStart::Continues ? 1 : 0;
    }
    if (lines == 0) {
        return headings;
    }
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        const bool alone = flow[i] == LineStart::Paragraph &&
                           (i + 1 == paragraphs.size() || flow[i + 1] == LineStart::Paragraph);
        if (alone && IsHeadingLine(paragraphs[i].m_strText)) {
            headings.push_back(i);
        }
    }
    return headings;
}

BookFlow BookFlow::Of(const CParagraphList& text) {
    std::vector<LineStart> lines = FlowOf(text);
    std::vector<std::size_t> headings =
        text.Headings().empty() ? HeadingsOf(text, lines) : text.Headings();
    return {std::move(lines), TokenJoinsOf(text), std::move(headings)};
}
