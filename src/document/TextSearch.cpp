#include "TextSearch.h"

#include <string.h>  // memmem: linear time whatever the query, so no query can stall a search

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "AsciiText.h"
#include "CParagraphList.h"
#include "CodePage.h"

namespace {

constexpr unsigned char kContinuation = 0x80;

bool IsBlank(unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Appends `text` folded to `out`. `blank` says whether `out` ends in a folded blank,
// across calls. `realign(offset)` is told that the byte of `text` at `offset` lands at
// out.size(), whenever a fold changed the distance between the two (a run of blanks
// made one, a character made one of another length).
template <class Realign>
void FoldInto(std::string_view text, std::string& out, bool& blank, Realign&& realign) {
    const std::size_t n = text.size();
    auto byteAt = [&](std::size_t k) {
        return k < n ? static_cast<unsigned char>(text[k]) : static_cast<unsigned char>(0);
    };
    std::size_t i = 0;
    while (i < n) {
        const unsigned char c = byteAt(i);
        const unsigned char next = byteAt(i + 1);
        const bool noBreakSpace = c == 0xC2 && next == 0xA0;
        if (IsBlank(c) || noBreakSpace) {
            const std::size_t length = noBreakSpace ? 2 : 1;
            std::size_t added = 0;
            if (!blank) {
                out += ' ';
                blank = true;
                added = 1;
            }
            i += length;
            if (added != length) {
                realign(i);
            }
            continue;
        }
        blank = false;
        if (c < 0x80) {
            out += LowerAscii(static_cast<char>(c));
            ++i;
            continue;
        }
        // Capitals of two bytes whose small letters are two bytes too.
        unsigned char lead = c;
        unsigned char trail = next;
        if (c == 0xC3 && next >= 0x80 && next <= 0x9E && next != 0x97) {
            trail = static_cast<unsigned char>(next + 0x20);  // À … Þ
        } else if (c == 0xCE && next >= 0x91 && next <= 0xA9 && next != 0xA2) {
            // Α … Ω
            lead = next <= 0x9F ? 0xCE : 0xCF;
            trail = static_cast<unsigned char>(next <= 0x9F ? next + 0x20 : next - 0x20);
        } else if (c == 0xD0 && next >= 0x80 && next <= 0xAF) {
            // Ѐ … Џ, А … Я
            lead = next >= 0x90 && next <= 0x9F ? 0xD0 : 0xD1;
            trail = static_cast<unsigned char>(next <= 0x8F   ? next + 0x10
                                               : next <= 0x9F ? next + 0x20
                                                              : next - 0x20);
        } else if (c == 0xE2 && next == 0x80 && byteAt(i + 2) >= 0x98 && byteAt(i + 2) <= 0x9D &&
                   byteAt(i + 2) != 0x9A && byteAt(i + 2) != 0x9B) {
            // ‘ ’ “ ”: a reader types straight quotes.
            out += byteAt(i + 2) <= 0x99 ? '\'' : '"';
            i += 3;
            realign(i);
            continue;
        } else {
            const std::size_t length = std::max<std::size_t>(1, codepage::Utf8SequenceAt(text, i));
            out.append(text.substr(i, length));
            i += length;
            continue;
        }
        out += static_cast<char>(lead);
        out += static_cast<char>(trail);
        i += 2;
    }
}

// The code point that starts at `at` (a byte that begins none stands for itself).
char32_t CodePointAt(std::string_view text, std::size_t at) {
    const std::size_t length = codepage::Utf8SequenceAt(text, at);
    const auto c = static_cast<unsigned char>(text[at]);
    if (length <= 1) {
        return c;
    }
    char32_t point = c & (0xFF >> (length + 1));
    for (std::size_t k = 1; k < length; ++k) {
        point = (point << 6) | (static_cast<unsigned char>(text[at + k]) & 0x3F);
    }
    return point;
}

// Letters and figures of any script; punctuation, quotes, dashes and blanks are not.
bool IsWordPoint(char32_t c) {
    if (c < 0x80) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    }
    if (c < 0xC0 || c == 0xD7 || c == 0xF7) {
        return false;
    }
    const bool punctuation = (c >= 0x2000 && c <= 0x2BFF) || (c >= 0x3000 && c <= 0x303F) ||
                             (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF20);
    return !punctuation;
}

bool WordBefore(std::string_view text, std::size_t at) {
    if (at == 0) {
        return false;
    }
    std::size_t start = at - 1;
    while (start > 0 && at - start < 4 &&
           (static_cast<unsigned char>(text[start]) & 0xC0) == kContinuation) {
        --start;
    }
    return IsWordPoint(CodePointAt(text, start));
}

bool WordAt(std::string_view text, std::size_t at) {
    return at < text.size() && IsWordPoint(CodePointAt(text, at));
}

// Whether a GBK gloss holds the GBK query, compared character by character: a byte
// match that begins on a character's second byte is none.
bool GlossHolds(std::string_view gloss, std::string_view query) {
    for (std::size_t i = 0; i + query.size() <= gloss.size();) {
        if (gloss.compare(i, query.size(), query) == 0) {
            return true;
        }
        i += static_cast<unsigned char>(gloss[i]) >= 0x81 && i + 1 < gloss.size() ? 2 : 1;
    }
    return false;
}

// The first token of a paragraph that ends after `byte` (count when none).
std::size_t FirstTokenEndingAfter(const CParagraph& paragraph, std::size_t byte) {
    std::size_t low = 0;
    std::size_t high = paragraph.TokenCount();
    while (low < high) {
        const std::size_t mid = (low + high) / 2;
        const TokenSpan span = paragraph.Span(mid);
        if (span.offset + span.length <= byte) {
            low = mid + 1;
        } else {
            high = mid;
        }
    }
    while (low < paragraph.TokenCount() && paragraph.Span(low).length == 0) {
        ++low;
    }
    return low;
}

}  // namespace

std::string FoldForSearch(std::string_view text) {
    std::string folded;
    folded.reserve(text.size());
    bool blank = false;
    FoldInto(text, folded, blank, [](std::size_t) {});
    return folded;
}

void TextSearch::Forget() {
    m_folded = std::string();
    m_segments = {};
    m_textSerial = UINT64_MAX;
}

void TextSearch::Fold(const CParagraphList& text) {
    Forget();
    const std::vector<CParagraph>& paragraphs = text.m_arrParagraphs;
    m_folded.reserve(text.Store().text.size());
    bool blank = true;  // no space before the first word
    for (std::size_t p = 0; p < paragraphs.size(); ++p) {
        const std::string_view line = paragraphs[p].m_strText;
        if (p > 0) {
            const std::string_view before = paragraphs[p - 1].m_strText;
            const std::string_view gap(
                before.data() + before.size(),
                static_cast<std::size_t>(line.data() - before.data()) - before.size());
            if (std::count(gap.begin(), gap.end(), '\n') >= 2) {
                // An empty line ends a paragraph: no query runs across it.
                m_folded += '\n';
                blank = true;
            } else if (!blank) {
                m_folded += ' ';
                blank = true;
            }
        }
        auto realign = [this, p](std::size_t offset) {
            if (!m_segments.empty() && m_segments.back().at == m_folded.size()) {
                m_segments.back() = {m_folded.size(), p, offset};
            } else {
                m_segments.push_back({m_folded.size(), p, offset});
            }
        };
        realign(0);
        FoldInto(line, m_folded, blank, realign);
    }
}

WordPlace TextSearch::PlaceOf(const CParagraphList& text, std::size_t at, std::size_t* byte) const {
    const auto after =
        std::upper_bound(m_segments.begin(), m_segments.end(), at,
                         [](std::size_t position, const Segment& s) { return position < s.at; });
    const Segment& segment = *(after - 1);
    const std::size_t size = text.m_arrParagraphs[segment.paragraph].m_strText.size();
    *byte = std::min(size, segment.offset + (at - segment.at));
    return {segment.paragraph, 0};
}

SearchResult TextSearch::Find(const CParagraphList& text, std::uint64_t textSerial,
                              const SearchQuery& query) {
    if (query.field == SearchField::Glosses) {
        std::string_view wanted = query.text;
        while (!wanted.empty() && IsBlank(static_cast<unsigned char>(wanted.front()))) {
            wanted.remove_prefix(1);
        }
        while (!wanted.empty() && IsBlank(static_cast<unsigned char>(wanted.back()))) {
            wanted.remove_suffix(1);
        }
        const std::optional<std::string> gbk = codepage::Utf8ToGbk(wanted);
        // A character GBK lacks is in no gloss.
        return gbk && !gbk->empty() ? FindGlosses(text, *gbk) : SearchResult{};
    }
    if (textSerial != m_textSerial) {
        Fold(text);
        m_textSerial = textSerial;
    }
    return FindWords(text, query);
}

SearchResult TextSearch::FindWords(const CParagraphList& text, const SearchQuery& query) const {
    SearchResult result;
    const std::string wanted = FoldForSearch(query.text);
    if (wanted.empty() || wanted == " " || m_segments.empty()) {
        return result;
    }
    const bool wordAtStart = query.wholeWord && WordAt(wanted, 0);
    const bool wordAtEnd = query.wholeWord && WordBefore(wanted, wanted.size());
    const char* const folded = m_folded.data();
    std::size_t from = 0;
    while (from + wanted.size() <= m_folded.size()) {
        const void* found =
            memmem(folded + from, m_folded.size() - from, wanted.data(), wanted.size());
        if (found == nullptr) {
            break;
        }
        const auto start = static_cast<std::size_t>(static_cast<const char*>(found) - folded);
        const std::size_t end = start + wanted.size();
        if ((wordAtStart && WordBefore(m_folded, start)) || (wordAtEnd && WordAt(m_folded, end))) {
            from = start + 1;
            continue;
        }
        from = end;
        if (const std::optional<SearchHit> hit = HitOf(text, start, end)) {
            result.hits.push_back(*hit);
            if (result.hits.size() == kMostHits) {
                result.capped = true;
                break;
            }
        }
    }
    return result;
}

std::optional<SearchHit> TextSearch::HitOf(const CParagraphList& text, std::size_t start,
                                           std::size_t end) const {
    const std::vector<CParagraph>& paragraphs = text.m_arrParagraphs;
    SearchHit hit;
    std::size_t byte = 0;
    hit.first = PlaceOf(text, start, &byte);
    hit.first.token = FirstTokenEndingAfter(paragraphs[hit.first.paragraph], byte);
    if (hit.first.token < paragraphs[hit.first.paragraph].TokenCount()) {
        const TokenSpan span = paragraphs[hit.first.paragraph].Span(hit.first.token);
        hit.firstByte = static_cast<std::uint32_t>(byte > span.offset ? byte - span.offset : 0);
    } else {
        // A match that starts on the space after a paragraph begins with the next word.
        do {
            ++hit.first.paragraph;
        } while (hit.first.paragraph < paragraphs.size() &&
                 FirstTokenEndingAfter(paragraphs[hit.first.paragraph], 0) ==
                     paragraphs[hit.first.paragraph].TokenCount());
        if (hit.first.paragraph == paragraphs.size()) {
            return std::nullopt;
        }
        hit.first.token = FirstTokenEndingAfter(paragraphs[hit.first.paragraph], 0);
    }
    hit.last = PlaceOf(text, end - 1, &byte);
    const CParagraph& paragraph = paragraphs[hit.last.paragraph];
    // The last word that starts at or before the match's last byte.
    std::size_t last = FirstTokenEndingAfter(paragraph, byte);
    while (last > 0 && (last == paragraph.TokenCount() || paragraph.Span(last).offset > byte ||
                        paragraph.Span(last).length == 0)) {
        --last;
    }
    const bool before = hit.last.paragraph < hit.first.paragraph ||
                        (hit.last.paragraph == hit.first.paragraph && last < hit.first.token);
    if (last >= paragraph.TokenCount() || paragraph.Span(last).offset > byte || before) {
        // It ends on blanks before any word of its last paragraph: it is all in its first word.
        const TokenSpan span = paragraphs[hit.first.paragraph].Span(hit.first.token);
        hit.last = hit.first;
        hit.lastEnd = span.length;
        return hit;
    }
    hit.last.token = last;
    const TokenSpan span = paragraph.Span(last);
    hit.lastEnd =
        static_cast<std::uint32_t>(std::min<std::size_t>(span.length, byte + 1 - span.offset));
    return hit;
}

SearchResult TextSearch::FindGlosses(const CParagraphList& text, std::string_view query) const {
    SearchResult result;
    // A novel shows a few thousand distinct glosses hundreds of thousands of times.
    std::unordered_map<const char*, bool> holds;
    const std::vector<CParagraph>& paragraphs = text.m_arrParagraphs;
    for (std::size_t p = 0; p < paragraphs.size(); ++p) {
        const CParagraph& paragraph = paragraphs[p];
        for (std::size_t j = 0; j < paragraph.TokenCount(); ++j) {
            const std::string_view gloss = paragraph.Gloss(j);
            if (gloss.size() < query.size()) {
                continue;
            }
            const auto [known, added] = holds.try_emplace(gloss.data(), false);
            if (added) {
                known->second = GlossHolds(gloss, query);
            }
            if (!known->second) {
                continue;
            }
            const auto length = static_cast<std::uint32_t>(paragraph.Span(j).length);
            result.hits.push_back({{p, j}, {p, j}, 0, length});
            if (result.hits.size() == kMostHits) {
                result.capped = true;
                return result;
            }
        }
    }
    return result;
}

std::size_t FirstHitFrom(const std::vector<SearchHit>& hits, const WordPlace& place) {
    const auto at = std::lower_bound(
        hits.begin(), hits.end(), place, [](const SearchHit& hit, const WordPlace& wanted) {
            return hit.first.paragraph != wanted.paragraph ? hit.first.paragraph < wanted.paragraph
                                                           : hit.first.token < wanted.token;
        });
    return static_cast<std::size_t>(at - hits.begin());
}
