#include "PosTag.h"

#include <array>

namespace {

constexpr std::array<std::string_view, kPosTagCount> kNames = {
    "",    "CC",  "CD",  "DT",   "EX",  "FW",  "IN",  "JJ",   "JJR", "JJS", "LS",  "MD",
    "NN",  "NNS", "NNP", "NNPS", "PDT", "POS", "PRP", "PRP$", "RB",  "RBR", "RBS", "RP",
    "SYM", "TO",  "UH",  "VB",   "VBD", "VBG", "VBN", "VBP",  "VBZ", "WDT", "WP",  "WP$",
    "WRB", ",",   ".",   ":",    "\"",  "(",   ")",   "$",    "#",
};

}  // namespace

std::string_view PosTagName(PosTag tag) {
    const auto index = static_cast<std::size_t>(tag);
    return index < kNames.size() ? kNames[index] : std::string_view();
}

std::optional<PosTag> ParsePosTag(std::string_view name) {
    for (std::size_t i = 1; i < kNames.size(); ++i) {
        if (kNames[i] == name) {
            return static_cast<PosTag>(i);
        }
    }
    return std::nullopt;
}

WordClass ClassOf(PosTag tag) {
    switch (tag) {
        case PosTag::NN:
        case PosTag::NNS:
            return WordClass::Noun;
        case PosTag::NNP:
        case PosTag::NNPS:
            return WordClass::ProperNoun;
        case PosTag::VB:
        case PosTag::VBD:
        case PosTag::VBG:
        case PosTag::VBN:
        case PosTag::VBP:
        case PosTag::VBZ:
            return WordClass::Verb;
        case PosTag::JJ:
        case PosTag::JJR:
        case PosTag::JJS:
            return WordClass::Adjective;
        case PosTag::RP:  // the adverbial particle of "give up", "go out"
        case PosTag::RB:
        case PosTag::RBR:
        case PosTag::RBS:
        case PosTag::WRB:
            return WordClass::Adverb;
        default:
            return WordClass::Other;
    }
}

std::string_view WordClassName(WordClass wordClass) {
    switch (wordClass) {
        case WordClass::Noun:
            return "NOUN";
        case WordClass::ProperNoun:
            return "PROPN";
        case WordClass::Verb:
            return "VERB";
        case WordClass::Adjective:
            return "ADJ";
        case WordClass::Adverb:
            return "ADV";
        case WordClass::Other:
            break;
    }
    return "X";
}
