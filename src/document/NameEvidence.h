#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

class WordTable;

// How a text writes one of its distinct words, counted while the text is split.
// The dictionary cannot tell "Stein" the man from "stein" the mug; the text can:
// a name is capitalised where ordinary words are not and hardly ever written small.
struct WordUses {
    std::uint32_t lowerCase = 0;     // uses starting with a small letter
    std::uint32_t capitalised = 0;   // capitalised where no sentence starts: after a
                                     // word, a comma or semicolon, "Mr." or a glued d'/-
    std::uint32_t afterArticle = 0;  // of those, after an article or possessive ("the
                                     // Emperor", "Your Highness"), or after a capitalised
                                     // word that itself followed one ("the Mock Turtle")
};

// Whether a text uses a word as a name: it is capitalised inside sentences, written
// small hardly ever (under one use in kNameSmallShare of its capitalised ones: a name
// written small once in a title line or an address is still a name), and mostly
// without an article or possessive before it (with one, it is a title or a common
// noun the reader needs glossed). Titles and
// honorifics ("Prince", "Mr", "de") are never names themselves. A word seen
// capitalised only at the start of lines or sentences, after quotes, colons or
// dashes, or in capitals only, has no evidence and stays an ordinary word.
// `lowerWord` is the word with ASCII capitals made small.
bool IsUsedAsName(std::string_view lowerWord, const WordUses& uses);
inline constexpr std::uint32_t kNameSmallShare = 50;

// Whether a plural or possessive form inherits the name status of its stem ("the
// Smiths" of Smith): written small no more often than a name is.
bool InheritsName(const WordUses& uses);

// Whether a word of the text is no word to gloss: a Roman numeral (II, xiv) or an
// abbreviated title (Dr., Rev.) that the text never writes small, or a token of
// three letters at most without a vowel, as formulas and units have (dx, km).
bool IsNoWordToGloss(std::string_view lowerWord, const WordUses& uses);

// A title or honorific that precedes names ("Mr", "Countess", "von").
bool IsNameTitle(std::string_view lowerWord);

// Counts WordUses per word number while the words are numbered: every token of
// a paragraph, in order, right after WordTable::IdOf has numbered it.
class NameEvidence {
public:
    void StartParagraph();
    // `id` is the token's number in `words` (WordTable::kNoWord under two bytes).
    void Add(std::string_view token, std::uint32_t id, const WordTable& words);

    // Adds the counts of `later`, gathered over the lines that follow with a table of
    // its own; its word i is word renumber[i] of `words`, this evidence's table.
    void Join(const NameEvidence& later, const std::vector<std::uint32_t>& renumber,
              const WordTable& words);

    const WordUses& Uses(std::uint32_t id) const { return m_uses[id]; }
    std::size_t Size() const { return m_uses.size(); }
    void Clear() {
        m_uses.clear();
        m_kinds.clear();
    }
    std::size_t MemoryBytes() const {
        return m_uses.capacity() * sizeof(WordUses) + m_kinds.capacity();
    }

    // What came before the current token, as far as capitals can tell.
    enum class Before {
        Nothing,      // a line start, quote, bracket, colon or dash: no evidence
        SentenceEnd,  // . ! ?
        Word,         // a word, comma or semicolon: the sentence goes on
        Article,      // an article or possessive, or a capitalised word after one
        Glue,         // a hyphen or apostrophe glued to the word before ("d'", "Jean-")
    };

private:
    // Gives every word of `words` up to number `id` its entry.
    void NumberUpTo(std::uint32_t id, const WordTable& words);

    std::vector<WordUses> m_uses;       // by word number
    std::vector<std::uint8_t> m_kinds;  // by word number: article, abbreviated title or plain
    Before m_before = Before::Nothing;
    bool m_wordJustBefore = false;  // the previous token is a word, with no blank between
    bool m_abbreviationJustBefore = false;
};
