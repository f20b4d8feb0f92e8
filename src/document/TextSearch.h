#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "TextPlace.h"

class CParagraphList;

// What the reader looks for: the text's own words, or the glosses shown under them.
enum class SearchField { Words, Glosses };

struct SearchQuery {
    std::string text;  // UTF-8, taken literally: no character is special
    SearchField field = SearchField::Words;
    // Words only: the match neither starts nor ends inside a word.
    bool wholeWord = false;
};

// One match, from the token it starts in to the token it ends in (the same one for
// a match inside a word; a later paragraph for a phrase across a hard-wrapped line).
struct SearchHit {
    WordPlace first;
    WordPlace last;
    std::uint32_t firstByte = 0;  // where the match starts in the first token
    std::uint32_t lastEnd = 0;    // where it ends in the last token (exclusive)

    bool operator==(const SearchHit&) const = default;
};

struct SearchResult {
    std::vector<SearchHit> hits;  // in text order, none overlapping
    // The search stopped at kMostHits: a query of one letter in a long book would
    // otherwise take more memory than the book.
    bool capped = false;
};

// Finds a query in a text, case-blind. A text's letters are folded to small ones once
// (the first search after a new text) into a copy where every run of blanks, and the
// end of a line the next one continues, is one space: a phrase is found across a
// hard-wrapped line, never across an empty one.
class TextSearch {
public:
    static constexpr std::size_t kMostHits = 200000;

    // `textSerial` names the text (the document's TextSerial()): another number
    // folds the text again. The query is folded and its blanks run together the same
    // way; one that is empty, or blank, finds nothing.
    SearchResult Find(const CParagraphList& text, std::uint64_t textSerial,
                      const SearchQuery& query);
    // Drops the folded copy.
    void Forget();

private:
    // A stretch of the folded text copied byte for byte from one paragraph.
    struct Segment {
        std::size_t at;         // in m_folded
        std::size_t paragraph;  // whose bytes these are
        std::size_t offset;     // in the paragraph's text
    };
    void Fold(const CParagraphList& text);
    SearchResult FindWords(const CParagraphList& text, const SearchQuery& query) const;
    SearchResult FindGlosses(const CParagraphList& text, std::string_view query) const;
    // The paragraph and byte a position of m_folded stands for; a position on the
    // space between two paragraphs stands for the end of the first.
    WordPlace PlaceOf(const CParagraphList& text, std::size_t at, std::size_t* byte) const;
    // The tokens a match of m_folded's bytes start … end covers; none when it lies
    // after the last word.
    std::optional<SearchHit> HitOf(const CParagraphList& text, std::size_t start,
                                   std::size_t end) const;

    std::string m_folded;
    std::vector<Segment> m_segments;  // by `at`
    std::uint64_t m_textSerial = UINT64_MAX;
};

// Folds letters to small ones (ASCII, Latin-1, Greek, Cyrillic) and runs of blanks to
// one space; curly quotes become straight ones. What a query and a text are compared as.
std::string FoldForSearch(std::string_view text);

// The first hit at or after a place (hits.size() when none): where a search starts
// from the page the reader is on.
std::size_t FirstHitFrom(const std::vector<SearchHit>& hits, const WordPlace& place);
