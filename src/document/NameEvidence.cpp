#include "NameEvidence.h"

#include <algorithm>
#include <iterator>

#include "ByteClass.h"
#include "CParagraph.h"
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

// What came before the current token, as far as capitals can tell.
enum class Before {
    Nothing,      // a line start, quote, bracket, colon or dash: no evidence
    SentenceEnd,  // . ! ?
    Word,         // a word, comma or semicolon: the sentence goes on
    Article,      // an article or possessive, or a capitalised word after one
    Glue,         // a hyphen or apostrophe glued to the word before ("d'", "Jean-")
};

// A word's kind, worked out once per distinct word.
enum Kind : std::uint8_t { kPlain = 0, kArticle = 1, kAbbreviation = 2 };

}  // namespace

bool IsNameTitle(std::string_view lowerWord) { return Contains(kTitles, lowerWord); }

bool IsUsedAsName(std::string_view lowerWord, const WordUses& uses) {
    return uses.lowerCase == 0 && uses.capitalised > 0 &&
           2 * uses.afterArticle < uses.capitalised && !IsNameTitle(lowerWord);
}

void NameEvidence::AddParagraph(const CParagraph& paragraph, const std::vector<std::uint32_t>& ids,
                                const WordTable& words) {
    for (std::size_t id = m_arrUses.size(); id < words.Size(); ++id) {
        const std::string_view word = words.Word(static_cast<std::uint32_t>(id));
        m_arrKinds.push_back(Contains(kArticles, word)            ? kArticle
                             : Contains(kAbbreviatedTitles, word) ? kAbbreviation
                                                                  : kPlain);
    }
    m_arrUses.resize(words.Size());

    Before before = Before::Nothing;
    bool wordJustBefore = false;  // the previous token is a word, with no blank between
    bool abbreviationJustBefore = false;
    for (std::size_t j = 0; j < paragraph.TokenCount(); ++j) {
        const std::string_view token = paragraph.Word(j);
        if (token.empty()) {  // a blank
            if (before == Before::Glue) {
                before = Before::Nothing;
            }
            wordJustBefore = false;
            continue;
        }
        if (ClassifyFront(token).kind == ByteClass::Separator) {
            if (token == "." && abbreviationJustBefore && wordJustBefore) {
                before = Before::Word;
            } else if (token == "." || token == "!" || token == "?") {
                before = Before::SentenceEnd;
            } else if (token == "," || token == ";") {
                before = Before::Word;
            } else if ((token == "'" || token == "\u2019" || token == "-") && wordJustBefore) {
                before = Before::Glue;
            } else {
                before = Before::Nothing;
            }
            wordJustBefore = false;
            continue;
        }
        const std::uint32_t id = ids[j];
        const bool smallFirst = IsSmall(token[0]);
        const bool capitalised =
            IsCapital(token[0]) && std::any_of(token.begin() + 1, token.end(), IsSmall);
        bool countedAfterArticle = false;
        if (id != WordTable::kNoWord) {
            WordUses& uses = m_arrUses[id];
            if (smallFirst) {
                ++uses.lowerCase;
            } else if (capitalised && before != Before::Nothing && before != Before::SentenceEnd) {
                ++uses.capitalised;
                if (before == Before::Article) {
                    ++uses.afterArticle;
                    countedAfterArticle = true;
                }
            }
        }
        const bool article =
            id == WordTable::kNoWord ? (token == "a" || token == "A") : m_arrKinds[id] == kArticle;
        before = article || countedAfterArticle ? Before::Article : Before::Word;
        abbreviationJustBefore = id != WordTable::kNoWord && m_arrKinds[id] == kAbbreviation;
        wordJustBefore = true;
    }
}
