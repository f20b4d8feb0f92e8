#include "FurtherReductions.h"

#include <array>
#include <vector>

#include "CDicMain.h"

namespace {

// GBK, as main.dic holds its glosses.
constexpr std::string_view kComma = "\xA3\xAC";      // ，
constexpr std::string_view kAdjective = "\xB5\xC4";  // 的
constexpr std::string_view kAdverb = "\xB5\xD8";     // 地
constexpr std::string_view kMore = "\xB8\xFC";       // 更
constexpr std::string_view kMost = "\xD7\xEE";       // 最
// A base shorter than this is no word a suffix was added to ("July" is not "ju" + ly).
constexpr std::size_t kShortestBase = 3;
// At most this many adjective items make a derived gloss, as a gloss's own first line does.
constexpr std::size_t kDerivedItems = 2;

bool EndsWith(std::string_view word, std::string_view suffix) {
    return word.size() >= suffix.size() && word.substr(word.size() - suffix.size()) == suffix;
}

// The items of a GBK gloss, split at ， on character boundaries only.
std::vector<std::string_view> Items(std::string_view gloss) {
    std::vector<std::string_view> items;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < gloss.size()) {
        if (gloss.substr(i, kComma.size()) == kComma) {
            items.push_back(gloss.substr(start, i - start));
            i += kComma.size();
            start = i;
        } else {
            i += static_cast<unsigned char>(gloss[i]) >= 0x81 && i + 1 < gloss.size() ? 2 : 1;
        }
    }
    items.push_back(gloss.substr(start));
    return items;
}

// Whether a GBK item ends with the two bytes `suffix` as a whole character.
bool EndsWithCharacter(std::string_view item, std::string_view suffix) {
    if (!EndsWith(item, suffix)) {
        return false;
    }
    std::size_t i = 0;
    while (i + suffix.size() < item.size()) {
        i += static_cast<unsigned char>(item[i]) >= 0x81 ? 2 : 1;
    }
    return i + suffix.size() == item.size();
}

enum class Shape { Adverb, Noun, More, Most };

// The adjective items of `gloss` reshaped for the derived word; empty when the gloss
// has none (the base is no adjective).
std::string Reshape(std::string_view gloss, Shape shape) {
    std::string result;
    std::size_t taken = 0;
    for (const std::string_view item : Items(gloss)) {
        if (taken == kDerivedItems || !EndsWithCharacter(item, kAdjective) ||
            item.size() == kAdjective.size()) {
            continue;
        }
        const std::string_view stem = item.substr(0, item.size() - kAdjective.size());
        const bool oneCharacter =
            stem.size() == 1 || (stem.size() == 2 && static_cast<unsigned char>(stem[0]) >= 0x81);
        if (shape == Shape::Adverb && oneCharacter) {
            continue;  // 空的 is vacant, but 空地 is a vacant lot
        }
        if (!result.empty()) {
            result += kComma;
        }
        switch (shape) {
            case Shape::Adverb:
                result.append(stem).append(kAdverb);
                break;
            case Shape::Noun:
                result.append(stem);
                break;
            case Shape::More:
                result.append(kMore).append(item);
                break;
            case Shape::Most:
                result.append(kMost).append(item);
                break;
        }
        ++taken;
    }
    return result;
}

struct Derivation {
    std::string_view ending;
    std::size_t cut;
    std::string_view append;
    Shape shape;
};

// Tried in this order; the first base that is an adjective decides.
constexpr std::array<Derivation, 15> kDerivations = {{
    {"ily", 3, "y", Shape::Adverb},   // happily: happy
    {"ably", 1, "e", Shape::Adverb},  // probably: probable
    {"ibly", 1, "e", Shape::Adverb},  // visibly: visible
    {"ally", 4, "", Shape::Adverb},   // tragically: tragic
    {"ly", 2, "", Shape::Adverb},     // timidly: timid
    {"iness", 5, "y", Shape::Noun},   // emptiness: empty
    {"ness", 4, "", Shape::Noun},     // dimness: dim
    {"ier", 3, "y", Shape::More},     // shadier: shady
    {"er", 2, "", Shape::More},       // meeker: meek
    {"er", 1, "", Shape::More},       // paler: pale
    {"er", 3, "", Shape::More},       // dimmer: dim
    {"iest", 4, "y", Shape::Most},    // shadiest: shady
    {"est", 3, "", Shape::Most},      // meekest: meek
    {"est", 2, "", Shape::Most},      // palest: pale
    {"est", 4, "", Shape::Most},      // dimmest: dim
}};

// A doubled final consonant is only cut where it is doubled (dimmer, not pander).
bool Doubled(std::string_view word, const Derivation& rule) {
    const bool cutsDouble =
        (rule.ending == "er" && rule.cut == 3) || (rule.ending == "est" && rule.cut == 4);
    if (!cutsDouble) {
        return true;
    }
    const std::size_t at = word.size() - rule.ending.size();
    return at >= 2 && word[at - 1] == word[at - 2];
}

// The word in the American or plain spelling; empty when it has none other.
std::string Respelt(std::string_view word) {
    std::string result;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (word.substr(i, 2) == "\xC3\xA6") {  // æ
            result += "ae";
            ++i;
        } else if (word.substr(i, 2) == "\xC5\x93") {  // œ
            result += "oe";
            ++i;
        } else {
            result += word[i];
        }
    }
    struct Ending {
        std::string_view british;
        std::string_view american;
    };
    static constexpr Ending kEndings[] = {
        {"isations", "izations"}, {"isation", "ization"}, {"ising", "izing"}, {"ised", "ized"},
        {"ises", "izes"},         {"ise", "ize"},         {"ysing", "yzing"}, {"ysed", "yzed"},
        {"yses", "yzes"},         {"yse", "yze"},
    };
    for (const Ending& ending : kEndings) {
        if (EndsWith(result, ending.british) && result.size() > ending.british.size() + 1) {
            result.replace(result.size() - ending.british.size(), ending.british.size(),
                           ending.american);
            break;
        }
    }
    return result == word ? std::string() : result;
}

}  // namespace

std::optional<FurtherAnswer> TranslateFurther(const CDicMain& dic, std::string_view word,
                                              double threshold) {
    std::optional<FurtherAnswer> answer = FurtherAtAnyStep(dic, word);
    // An entry the word leads to answers with its score: known at the step, no gloss.
    if (answer && !(threshold > answer->frequency)) {
        answer->gloss.clear();
    }
    return answer;
}

std::optional<FurtherAnswer> FurtherAtAnyStep(const CDicMain& dic, std::string_view word) {
    auto answerFrom = [](const CDicItem& item, std::string gloss) {
        return FurtherAnswer{item.m_strWord, std::move(gloss), item.m_dFrequency};
    };
    const std::string respelt = Respelt(word);
    if (!respelt.empty()) {
        if (const auto reached = dic.FindReachedEntry(respelt)) {
            // The respelt word's own lookup reaches the same entry first.
            const CDicItem& item = dic.m_arrItems[*reached];
            return answerFrom(item, item.m_strGloss);
        }
    }
    // Latin plurals, only where the singular is an entry.
    struct Plural {
        std::string_view ending;
        std::string_view singular;
    };
    static constexpr Plural kPlurals[] = {{"ae", "a"}, {"i", "us"}, {"a", "um"}};
    for (const Plural& plural : kPlurals) {
        if (EndsWith(word, plural.ending) && word.size() >= plural.ending.size() + kShortestBase) {
            std::string singular(word.substr(0, word.size() - plural.ending.size()));
            singular += plural.singular;
            if (const CDicItem* item = dic.FindEntry(singular)) {
                return answerFrom(*item, item->m_strGloss);
            }
        }
    }
    for (const Derivation& rule : kDerivations) {
        if (!EndsWith(word, rule.ending) || word.size() < rule.cut + kShortestBase ||
            !Doubled(word, rule)) {
            continue;
        }
        std::string base(word.substr(0, word.size() - rule.cut));
        base += rule.append;
        const CDicItem* item = dic.FindEntry(base);
        if (item == nullptr) {
            continue;
        }
        std::string gloss = Reshape(item->m_strGloss, rule.shape);
        if (!gloss.empty()) {
            return answerFrom(*item, std::move(gloss));
        }
    }
    return std::nullopt;
}
