#include "SentenceAround.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "CParagraphList.h"

namespace {

// How many source lines on each side can belong to the sentence: a longer run
// without a sentence end is no prose.
constexpr std::size_t kMostLines = 8;

bool IsBlankByte(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }

bool IsBlankLine(std::string_view line) {
    for (const char c : line) {
        if (!IsBlankByte(c)) {
            return false;
        }
    }
    return true;
}

// Whether a blank line stands between two lines: empty lines are no paragraphs of the
// list, but the store's text keeps their line ends between its neighbours.
bool BlankLineBetween(const CParagraph& before, const CParagraph& after) {
    const char* gapStart = before.m_strText.data() + before.m_strText.size();
    if (after.m_strText.data() < gapStart) {
        return false;
    }
    const std::string_view gap(gapStart,
                               static_cast<std::size_t>(after.m_strText.data() - gapStart));
    const auto ends = std::count(gap.begin(), gap.end(), '\n');
    return ends >= 2 || (ends == 0 && std::count(gap.begin(), gap.end(), '\r') >= 2) ||
           IsBlankLine(before.m_strText) || IsBlankLine(after.m_strText);
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Closing quotes and brackets that stay with the sentence they close: " ' ) ] ” ’.
std::size_t ClosingLength(std::string_view text, std::size_t at) {
    if (at >= text.size()) {
        return 0;
    }
    const char c = text[at];
    if (c == '"' || c == '\'' || c == ')' || c == ']') {
        return 1;
    }
    const std::string_view rest = text.substr(at);
    if (rest.starts_with("\xE2\x80\x9D") || rest.starts_with("\xE2\x80\x99")) {
        return 3;
    }
    return 0;
}

// An abbreviation's full stop: after one capital letter (an initial) or a word
// without vowels (Mr, Mrs, Dr, St).
bool IsAbbreviationStop(std::string_view text, std::size_t stop) {
    std::size_t start = stop;
    while (start > 0 && IsLetter(text[start - 1])) {
        --start;
    }
    const std::string_view word = text.substr(start, stop - start);
    if (word.empty()) {
        return false;
    }
    if (word.size() == 1) {
        return word[0] >= 'A' && word[0] <= 'Z';
    }
    return word.find_first_of("aeiouyAEIOUY") == std::string_view::npos;
}

// Where the sentence ending at `at` (a . ! or ?) ends, closers included; npos when
// no sentence ends there.
std::size_t SentenceEndAt(std::string_view text, std::size_t at) {
    const char c = text[at];
    if (c != '.' && c != '!' && c != '?') {
        return std::string_view::npos;
    }
    std::size_t end = at + 1;
    while (end < text.size() && (text[end] == '.' || text[end] == '!' || text[end] == '?')) {
        ++end;
    }
    for (std::size_t n = ClosingLength(text, end); n > 0; n = ClosingLength(text, end)) {
        end += n;
    }
    if (end < text.size() && !IsBlankByte(text[end])) {
        return std::string_view::npos;
    }
    if (c == '.' && end == at + 1 && IsAbbreviationStop(text, at)) {
        return std::string_view::npos;
    }
    std::size_t next = end;
    while (next < text.size() && (IsBlankByte(text[next]) || text[next] == '"' ||
                                  text[next] == '\'' || text[next] == '(')) {
        ++next;
    }
    if (next < text.size() && text[next] >= 'a' && text[next] <= 'z') {
        return std::string_view::npos;  // "etc. and", "… he said"
    }
    return end;
}

std::string_view Trimmed(std::string_view line, std::size_t* leading) {
    std::size_t begin = 0;
    while (begin < line.size() && IsBlankByte(line[begin])) {
        ++begin;
    }
    std::size_t end = line.size();
    while (end > begin && IsBlankByte(line[end - 1])) {
        --end;
    }
    *leading = begin;
    return line.substr(begin, end - begin);
}

}  // namespace

MarkedSentence SentenceAround(const CParagraphList& text, std::size_t paragraph, std::size_t token,
                              std::size_t around) {
    const std::vector<CParagraph>& lines = text.m_arrParagraphs;
    if (paragraph >= lines.size() || token >= lines[paragraph].TokenCount()) {
        return {};
    }
    std::size_t first = paragraph;
    while (first > 0 && paragraph - first < kMostLines &&
           !BlankLineBetween(lines[first - 1], lines[first])) {
        --first;
    }
    std::size_t last = paragraph;
    while (last + 1 < lines.size() && last - paragraph < kMostLines &&
           !BlankLineBetween(lines[last], lines[last + 1])) {
        ++last;
    }
    std::string joined;
    std::size_t wordAt = 0;
    const TokenSpan span = lines[paragraph].Span(token);
    for (std::size_t k = first; k <= last; ++k) {
        std::size_t leading = 0;
        const std::string_view line = Trimmed(lines[k].m_strText, &leading);
        if (line.empty()) {
            continue;
        }
        if (!joined.empty()) {
            joined += ' ';
        }
        if (k == paragraph) {
            wordAt = joined.size() + (span.offset >= leading ? span.offset - leading : 0);
        }
        joined += line;
    }
    wordAt = std::min(wordAt, joined.size());
    const std::size_t wordEnd = std::min(joined.size(), wordAt + span.length);
    // The sentence starts after the last sentence end before the word.
    std::size_t begin = 0;
    for (std::size_t at = 0; at < wordAt; ++at) {
        const std::size_t end = SentenceEndAt(joined, at);
        if (end != std::string_view::npos && end <= wordAt) {
            begin = end;
            at = end - 1;
        }
    }
    while (begin < wordAt && IsBlankByte(joined[begin])) {
        ++begin;
    }
    std::size_t finish = joined.size();
    for (std::size_t at = wordEnd; at < joined.size(); ++at) {
        const std::size_t end = SentenceEndAt(joined, at);
        if (end != std::string_view::npos) {
            finish = end;
            break;
        }
    }
    // A word that ends its sentence with its own stop ("Mr.") is inside it.
    if (wordEnd > 0 && finish < wordEnd) {
        finish = wordEnd;
    }
    const std::string_view sentence = std::string_view(joined).substr(begin, finish - begin);
    return CutSentenceMarked(sentence, wordAt - begin, span.length, around);
}
