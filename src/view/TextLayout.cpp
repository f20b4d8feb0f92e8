#include "TextLayout.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "CParagraphList.h"
#include "ITextMeasurer.h"
#include "ParagraphFlow.h"
#include "PrintSpacing.h"
#include "StripGeometry.h"

namespace {

// The widths of a text's tokens, in two passes over its store: first every token's
// width where it is already known, the tokens not measured yet gathered into one
// batch, so that a measurer able to share the work between processors gets all of
// it at once; then the batch's answers.
//
// Most tokens are their word spelt in lower case or with a capital first; their
// widths are kept by word number, which spares the measurer a hash and a compare
// for most of a novel's tokens. The measurer answers the same for the same bytes,
// so this changes no width.
class TokenWidths {
public:
    // `trailing` is taken off every width: the space the measurer counts after a token,
    // for a layout that sets tokens at their own widths.
    TokenWidths(const WordTable& words, ITextMeasurer& measurer, int trailing)
        : m_wordCount(words.Size()),
          m_words(words),
          m_measurer(measurer),
          m_trailing(trailing),
          m_kept(2 * m_wordCount + kShortForms, kUnknown) {}

    // Fills widths[k] for every token k of the paragraphs.
    void Measure(const std::vector<CParagraph>& paragraphs, std::vector<std::int32_t>& widths) {
        // Until the batch is measured, a kept token's width is -1 - (its kept place);
        // widths are never negative.
        std::vector<std::string_view> batch;
        std::vector<std::size_t> batchPlaces;
        for (const CParagraph& paragraph : paragraphs) {
            const std::size_t first = paragraph.FirstToken();
            for (std::size_t j = 0; j < paragraph.TokenCount(); ++j) {
                const std::string_view token = paragraph.Word(j);
                const std::size_t place = PlaceOf(token, paragraph.WordId(j));
                std::int32_t& width = widths[first + j];
                if (place == kNotKept) {
                    // Spelt otherwise (all capitals, say): rare, and the measurer's own
                    // cache answers repeats.
                    width = std::max(0, m_measurer.TokenWidth(token) - m_trailing);
                    continue;
                }
                if (m_kept[place] == kUnknown) {
                    m_kept[place] = kAsked;
                    batch.push_back(token);
                    batchPlaces.push_back(place);
                }
                width = -1 - static_cast<std::int32_t>(place);
            }
        }
        if (batch.empty()) {
            return;
        }
        std::vector<int> measured(batch.size());
        m_measurer.TokenWidths(batch, measured);
        for (std::size_t k = 0; k < batch.size(); ++k) {
            m_kept[batchPlaces[k]] = std::max(0, measured[k] - m_trailing);
        }
        for (std::int32_t& width : widths) {
            if (width < 0) {
                width = m_kept[static_cast<std::size_t>(-1 - width)];
            }
        }
    }

private:
    static constexpr int kUnknown = -1;
    static constexpr int kAsked = -2;                // in the batch being measured
    static constexpr std::size_t kShortForms = 257;  // one-byte tokens by byte; 256: empty
    static constexpr std::size_t kNotKept = static_cast<std::size_t>(-1);

    // Where the width of a token is kept: its word's lower-case form, its word
    // capitalised, or a token under two bytes; kNotKept for any other spelling.
    std::size_t PlaceOf(std::string_view token, std::uint32_t id) const {
        if (id == WordTable::kNoWord) {
            return 2 * m_wordCount + (token.empty() ? 256 : static_cast<unsigned char>(token[0]));
        }
        // A token is as long as its word, which is its lower-case form.
        const std::string_view word = m_words.Word(id);
        if (token == word) {
            return id;
        }
        if (token.substr(1) == word.substr(1)) {
            return m_wordCount + id;
        }
        return kNotKept;
    }

    std::size_t m_wordCount;
    const WordTable& m_words;
    ITextMeasurer& m_measurer;
    int m_trailing;
    std::vector<int> m_kept;  // by place: lower forms, capitalised forms, short tokens
};

// The original layout: one space after every token, a line broken before any token
// that would cross the column's edge.
void SetOriginalLines(const CParagraph& paragraph, TextStore& store, int textWidth,
                      std::int32_t& lines) {
    const std::size_t count = paragraph.TokenCount();
    const std::size_t first = paragraph.FirstToken();
    std::int32_t line = 0;
    // Past the column only after a token wider than it, which the next one leaves.
    std::int64_t x = 0;
    for (std::size_t j = 0; j < count; ++j) {
        const int width = store.m_arrWidth[first + j];
        // Tested even at the start of a line: a token wider than the column that
        // opens a paragraph leaves line 0 empty and stands alone on line 1.
        if (x + width > textWidth) {
            ++line;
            x = 0;
        }
        store.m_arrX[first + j] = static_cast<std::int32_t>(x);
        store.m_arrLine[first + j] = line;
        x += width;
    }
    lines = line + 1;
}

// A title is set in the heading face, which is wider.
void SetHeadingWidths(const CParagraph& paragraph, TextStore& store, ITextMeasurer& measurer,
                      int space) {
    const std::size_t first = paragraph.FirstToken();
    for (std::size_t j = 0; j < paragraph.TokenCount(); ++j) {
        store.m_arrWidth[first + j] =
            std::max(0, measurer.HeadingTokenWidth(paragraph.Word(j)) - space);
    }
}

// Where the book layout's line being filled stands: the end of its last token, and
// whether a visible token stands on it and what punctuation that one is.
struct BookCursor {
    std::int64_t x = 0;
    bool afterVisible = false;
    Punctuation before = Punctuation::None;
};

// The book layout's lines of one source line: tokens the text sets without a space
// between them (a word and its punctuation, the parts of "didn't" or "well-bred") are
// one unit that breaks as a whole, a space stands only where the text has one, and a
// closing mark never starts a line nor an opening one ends it. Widths are the tokens'
// own, without a space. A line that flows on after the one before starts at `cursor`;
// the lines used (counted from the paragraph's top) come back.
//
// One pass over the store's arrays and the text's joins: this runs over every token of
// the text. A unit is set as it comes and moved down whole when it reaches past the
// column.
std::int32_t SetBookLines(const CParagraph& paragraph, TextStore& store, const std::uint8_t* joins,
                          int textWidth, int space, int emDash, BookCursor& cursor) {
    const std::size_t count = paragraph.TokenCount();
    const std::size_t first = paragraph.FirstToken();
    joins += first;
    std::int32_t* widths = store.m_arrWidth.data() + first;
    std::int32_t* xs = store.m_arrX.data() + first;
    std::int32_t* lineOf = store.m_arrLine.data() + first;
    std::int32_t line = 0;
    std::int64_t x = cursor.x;
    bool afterVisible = cursor.afterVisible;
    bool ownBefore = false;  // a visible token of this paragraph stands before this one
    Punctuation before = cursor.before;
    // The unit being set: its first token and its x, which includes the space before
    // it. None while the unit began in the paragraph before, whose tokens stay where
    // they are: punctuation flowed on after them hangs past the column instead.
    std::size_t unitStart = 0;
    std::int64_t unitX = -1;
    for (std::size_t k = 0; k < count; ++k) {
        const std::uint8_t join = joins[k];
        if ((join & (kJoinDashStart | kJoinDashEnd)) != 0) {
            widths[k] = (join & kJoinDashStart) != 0 ? emDash : 0;
        }
        if ((join & kJoinEmpty) != 0) {
            // Where a blank was: no room, on the line of the token before.
            xs[k] = static_cast<std::int32_t>(x);
            lineOf[k] = line;
            continue;
        }
        // A line may break, and a space stands, only where TokenJoinsOf found a break;
        // the end of the line before counts as one, but closing punctuation that starts
        // a flowed-on line hangs after the word before.
        bool startsUnit = true;
        int gap = 0;
        if (ownBefore) {
            startsUnit = (join & kJoinBreakBefore) != 0;
            gap = space;
        } else if (afterVisible) {
            startsUnit = (join & kJoinClosing) == 0;
            gap = before == Punctuation::Opening ? 0 : space;
        }
        if (startsUnit) {
            x += gap;
            unitStart = k;
            unitX = x;
        }
        if (x + widths[k] > textWidth && x > 0) {
            if (unitX > 0) {
                // The unit moves down whole, leaving its space behind.
                ++line;
                for (std::size_t t = unitStart; t < k; ++t) {
                    xs[t] = static_cast<std::int32_t>(xs[t] - unitX);
                    lineOf[t] = line;
                }
                x -= unitX;
                unitX = 0;
            }
            if (unitX == 0 && x > 0 && x + widths[k] > textWidth) {
                // A unit wider than the whole column breaks between its tokens after all.
                ++line;
                x = 0;
                unitStart = k;
            }
        }
        xs[k] = static_cast<std::int32_t>(x);
        lineOf[k] = line;
        x += widths[k];
        afterVisible = true;
        ownBefore = true;
        before = (join & kJoinOpening) != 0 ? Punctuation::Opening : Punctuation::None;
    }
    cursor = {x, afterVisible, before};
    return line + 1;
}

}  // namespace

std::int64_t LayoutText(CParagraphList& text, ITextMeasurer& measurer, int pageWidth,
                        PageLayout layout, const BookFlow* flow) {
    const int textWidth = StripGeometry::TextWidth(pageWidth);
    const std::int64_t linePitch = 2 * static_cast<std::int64_t>(std::abs(measurer.LineUnit()));
    TextStore& store = text.LayoutStore();
    const std::size_t tokens = store.tokenOffsets.size();
    store.m_arrX.resize(tokens);
    store.m_arrWidth.resize(tokens);
    store.m_arrLine.resize(tokens);
    const bool book = layout == PageLayout::Book;
    // An empty token is one space wide: the measurer's width of a space. The book
    // layout takes it off every token and sets it only where the text has a blank.
    const int space = book ? std::max(0, measurer.TokenWidth({})) : 0;
    TokenWidths(text.Words(), measurer, space).Measure(text.m_arrParagraphs, store.m_arrWidth);
    if (!book) {
        std::int64_t y = kFirstParagraphTop;
        for (CParagraph& paragraph : text.m_arrParagraphs) {
            paragraph.m_nTop = y;
            std::int32_t lines = 1;
            SetOriginalLines(paragraph, store, textWidth, lines);
            paragraph.m_nHeight = lines * linePitch;
            y += paragraph.m_nHeight;
        }
        return y;
    }
    BookFlow ownFlow;
    if (flow == nullptr || flow->lines.size() != text.m_arrParagraphs.size() ||
        flow->joins.size() != store.tokenOffsets.size()) {
        ownFlow = BookFlow::Of(text);
        flow = &ownFlow;
    }
    const std::vector<LineStart>& starts = flow->lines;
    const int emDash = std::max(0, measurer.TokenWidth("\u2014") - space);
    // Half a line between paragraphs: a gap no line of a paragraph has.
    const std::int64_t paragraphGap = linePitch / 2;
    std::int64_t lineTop = kFirstParagraphTop;  // of the line being filled
    BookCursor cursor;
    auto heading = flow->headings.begin();  // the first not before paragraph i
    for (std::size_t i = 0; i < text.m_arrParagraphs.size(); ++i) {
        CParagraph& paragraph = text.m_arrParagraphs[i];
        while (heading != flow->headings.end() && *heading < i) {
            ++heading;
        }
        const bool isHeading = heading != flow->headings.end() && *heading == i;
        if (i == 0 || starts[i] != LineStart::Continues) {
            if (i > 0) {
                lineTop += linePitch + (starts[i] == LineStart::Paragraph ? paragraphGap : 0);
                // A heading has a line's room above it and below it.
                const bool afterHeading = heading != flow->headings.begin() && heading[-1] + 1 == i;
                lineTop += (isHeading ? paragraphGap : 0) + (afterHeading ? paragraphGap : 0);
            }
            cursor = BookCursor{};
        }
        if (isHeading) {
            SetHeadingWidths(paragraph, store, measurer, space);
        }
        paragraph.m_nTop = lineTop;
        const std::int32_t lines =
            SetBookLines(paragraph, store, flow->joins.data(), textWidth, space, emDash, cursor);
        paragraph.m_nHeight = lines * linePitch;
        lineTop += (lines - 1) * linePitch;
    }
    return lineTop + linePitch;
}
