#include "NameEvidence.h"

#include <algorithm>
#include <iterator>

#include "ByteClass.h"
#include "WordTable.h"

namespace {

// General English usage, and the particles of the European names English books
// are full of; no book's own names.
constexpr std::string_view kTitles[] = {
    "abbe",     "admiral",  "al",       "archbishop",   "aunt",       "baron",       "baroness",
    "ben",      "bishop",   "brother",  "capt",         "captain",    "cardinal",    "col",
    "colonel",  "comte",    "comtesse", "corporal",     "count",      "countess",    "cousin",
    "czar",     "da",       "dame",     "de",           "del",        "della",       "der",
    "des",      "di",       "doctor",   "don",          "dona",       "dr",          "du",
    "duc",      "duchess",  "duke",     "earl",         "el",         "emperor",     "empress",
    "father",   "frau",     "gen",      "general",      "herr",       "hon",         "king",
    "la",       "lady",     "le",       "les",          "lieutenant", "lord",        "lt",
    "mac",      "madam",    "madame",   "mademoiselle", "major",      "marchioness", "marquess",
    "marquis",  "marquise", "master",   "mc",           "messrs",     "miss",        "mistress",
    "mlle",     "mme",      "monsieur", "mother",       "mr",         "mrs",         "ms",
    "pope",     "prince",   "princess", "prof",         "professor",  "queen",       "rev",
    "reverend", "saint",    "san",      "santa",        "sgt",        "signor",      "sir",
    "sister",   "st",       "sultan",   "tsar",         "uncle",      "van",         "von",
};

// Titles written short with a full stop: "Mr. Stein" continues the sentence.
constexpr std::string_view kAbbreviatedTitles[] = {
    "capt", "col", "dr",  "gen", "hon",  "lt",  "messrs", "mlle",
    "mme",  "mr",  "mrs", "ms",  "prof", "rev", "sgt",    "st",
};

// Words after which a capitalised noun is a title or a thing ("the Emperor",
// "Your Highness"), not a name. "that" is left out: as a conjunction it stands
// before names all the time.
constexpr std::string_view kArticles[] = {
    "a",     "an",    "her",  "his",   "its", "my",    "our",  "the",
    "their", "these", "this", "those", "thy", "whose", "your",
};

template <std::size_t N>
bool Contains(const std::string_view (&list)[N], std::string_view word) {
    return std::find(std::begin(list), std::end(list), word) != std::end(list);
}

bool IsSmall(char c) { return c >= 'a' && c <= 'z'; }
bool IsCapital(char c) { return c >= 'A' && c <= 'Z'; }

// A word's kind, worked out once per distinct word.
enum Kind : std::uint8_t { kPlain = 0, kArticle = 1, kAbbreviation = 2 };

}  // namespace

bool IsNameTitle(std::string_view lowerWord) { return Contains(kTitles, lowerWord); }

bool IsUsedAsName(std::string_view lowerWord, const WordUses& uses) {
    return kNameSmallShare * uses.lowerCase < uses.capitalised &&
           2 * uses.afterArticle < uses.capitalised && !IsNameTitle(lowerWord);
}

bool InheritsName(const WordUses& uses) {
    return kNameSmallShare * uses.lowerCase <= uses.capitalised;
}

namespace {

bool IsRomanNumeral(std::string_view word) {
    // m{0,3}(cm|cd|d?c{0,3})(xc|xl|l?x{0,3})(ix|iv|v?i{0,3}), one power of ten at a time.
    std::size_t i = 0;
    auto take = [&](char c, std::size_t most) {
        std::size_t n = 0;
        while (i < word.size() && word[i] == c && n < most) {
            ++i;
            ++n;
        }
    };
    auto digit = [&](char one, char five, char ten) {
        if (i + 1 < word.size() && word[i] == one && (word[i + 1] == ten || word[i + 1] == five)) {
            i += 2;
            return;
        }
        take(five, 1);
        take(one, 3);
    };
    take('m', 3);
    digit('c', 'd', 'm');
    digit('x', 'l', 'c');
    digit('i', 'v', 'x');
    return i == word.size();
}

bool HasVowel(std::string_view word) {
    return word.find_first_of("aeiouy") != std::string_view::npos;
}

bool AllAsciiLetters(std::string_view word) {
    return std::all_of(word.begin(), word.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

}  // namespace

bool IsNoWordToGloss(std::string_view lowerWord, const WordUses& uses) {
    if (lowerWord.size() < 2 || !AllAsciiLetters(lowerWord)) {
        return false;
    }
    if (lowerWord.size() <= 3 && !HasVowel(lowerWord)) {
        return true;
    }
    const bool neverSmall = uses.lowerCase == 0;
    if (neverSmall && Contains(kAbbreviatedTitles, lowerWord)) {
        return true;
    }
    // Capitalised inside a sentence ("Mix it") is a word; a numeral is in capitals.
    return neverSmall && uses.capitalised == 0 && IsRomanNumeral(lowerWord);
}

void NameEvidence::StartParagraph() {
    m_before = Before::Nothing;
    m_wordJustBefore = false;
    m_abbreviationJustBefore = false;
}

void NameEvidence::NumberUpTo(std::uint32_t id, const WordTable& words) {
    while (id >= m_uses.size()) {
        const std::string_view word = words.Word(static_cast<std::uint32_t>(m_uses.size()));
        m_kinds.push_back(Contains(kArticles, word)            ? kArticle
                          : Contains(kAbbreviatedTitles, word) ? kAbbreviation
                                                               : kPlain);
        m_uses.emplace_back();
    }
}

void NameEvidence::Join(const NameEvidence& later, const std::vector<std::uint32_t>& renumber,
                        const WordTable& words) {
    if (words.Size() > 0) {
        NumberUpTo(static_cast<std::uint32_t>(words.Size() - 1), words);
    }
    for (std::uint32_t id = 0; id < later.m_uses.size() && id < renumber.size(); ++id) {
        WordUses& uses = m_uses[renumber[id]];
        const WordUses& more = later.m_uses[id];
        uses.lowerCase += more.lowerCase;
        uses.capitalised += more.capitalised;
        uses.afterArticle += more.afterArticle;
    }
}

void NameEvidence::Add(std::string_view token, std::uint32_t id, const WordTable& words) {
    // Numbered UTF-8 punctuation (curly quotes, dashes) gets counts too, so that
    // every number of the table has its entry.
    if (id != WordTable::kNoWord && id >= m_uses.size()) {
        NumberUpTo(id, words);
    }
    if (token.empty()) {  // a blank
        if (m_before == Before::Glue) {
            m_before = Before::Nothing;
        }
        m_wordJustBefore = false;
        return;
    }
    if (ClassifyFront(token).kind == ByteClass::Separator) {
        if (token == "." && m_abbreviationJustBefore && m_wordJustBefore) {
            m_before = Before::Word;
        } else if (token == "." || token == "!" || token == "?") {
            m_before = Before::SentenceEnd;
        } else if (token == "," || token == ";") {
            m_before = Before::Word;
        } else if ((token == "'" || token == "\xE2\x80\x99" || token == "-") && m_wordJustBefore) {
            m_before = Before::Glue;
        } else {
            m_before = Before::Nothing;
        }
        m_wordJustBefore = false;
        return;
    }
    Kind kind = kPlain;
    bool countedAfterArticle = false;
    if (id != WordTable::kNoWord) {
        kind = static_cast<Kind>(m_kinds[id]);
        WordUses& uses = m_uses[id];
        if (IsSmall(token[0])) {
            ++uses.lowerCase;
        } else if (IsCapital(token[0]) && std::any_of(token.begin() + 1, token.end(), IsSmall) &&
                   m_before != Before::Nothing && m_before != Before::SentenceEnd) {
            ++uses.capitalised;
            if (m_before == Before::Article) {
                ++uses.afterArticle;
                countedAfterArticle = true;
            }
        }
    } else if (token == "a" || token == "A") {
        kind = kArticle;
    }
    m_before = kind == kArticle || countedAfterArticle ? Before::Article : Before::Word;
    m_abbreviationJustBefore = kind == kAbbreviation;
    m_wordJustBefore = true;
}
