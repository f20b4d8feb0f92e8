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
    return uses.lowerCase == 0 && uses.capitalised > 0 &&
           2 * uses.afterArticle < uses.capitalised && !IsNameTitle(lowerWord);
}

void NameEvidence::StartParagraph() {
    m_before = Before::Nothing;
    m_bWordJustBefore = false;
    m_bAbbreviationJustBefore = false;
}

void NameEvidence::NumberUpTo(std::uint32_t id, const WordTable& words) {
    while (id >= m_arrUses.size()) {
        const std::string_view word = words.Word(static_cast<std::uint32_t>(m_arrUses.size()));
        m_arrKinds.push_back(Contains(kArticles, word)            ? kArticle
                             : Contains(kAbbreviatedTitles, word) ? kAbbreviation
                                                                  : kPlain);
        m_arrUses.emplace_back();
    }
}

void NameEvidence::Join(const NameEvidence& later, const std::vector<std::uint32_t>& renumber,
                        const WordTable& words) {
    if (words.Size() > 0) {
        NumberUpTo(static_cast<std::uint32_t>(words.Size() - 1), words);
    }
    for (std::uint32_t id = 0; id < later.m_arrUses.size() && id < renumber.size(); ++id) {
        WordUses& uses = m_arrUses[renumber[id]];
        const WordUses& more = later.m_arrUses[id];
        uses.lowerCase += more.lowerCase;
        uses.capitalised += more.capitalised;
        uses.afterArticle += more.afterArticle;
    }
}

void NameEvidence::Add(std::string_view token, std::uint32_t id, const WordTable& words) {
    // Numbered UTF-8 punctuation (curly quotes, dashes) gets counts too, so that
    // every number of the table has its entry.
    if (id != WordTable::kNoWord && id >= m_arrUses.size()) {
        NumberUpTo(id, words);
    }
    if (token.empty()) {  // a blank
        if (m_before == Before::Glue) {
            m_before = Before::Nothing;
        }
        m_bWordJustBefore = false;
        return;
    }
    if (ClassifyFront(token).kind == ByteClass::Separator) {
        if (token == "." && m_bAbbreviationJustBefore && m_bWordJustBefore) {
            m_before = Before::Word;
        } else if (token == "." || token == "!" || token == "?") {
            m_before = Before::SentenceEnd;
        } else if (token == "," || token == ";") {
            m_before = Before::Word;
        } else if ((token == "'" || token == "\xE2\x80\x99" || token == "-") && m_bWordJustBefore) {
            m_before = Before::Glue;
        } else {
            m_before = Before::Nothing;
        }
        m_bWordJustBefore = false;
        return;
    }
    Kind kind = kPlain;
    bool countedAfterArticle = false;
    if (id != WordTable::kNoWord) {
        kind = static_cast<Kind>(m_arrKinds[id]);
        WordUses& uses = m_arrUses[id];
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
    m_bAbbreviationJustBefore = kind == kAbbreviation;
    m_bWordJustBefore = true;
}
