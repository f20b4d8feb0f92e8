#pragma once

#include "BuiltinWordLists.h"

// Small stand-ins for the shipped lists, with the rows the lookup rules care about.
inline const WordLists& FixtureWordLists() {
    static constexpr IrregularVerbRow kVerbs[] = {
        {"be", "was", "been"},    {"be", "were", "been"},   {"go", "went", "gone"},
        {"lie", "lay", "lain"},   {"lay", "laid", "laid"},  {"read", "read", "read"},
        {"swim", "swam", "swum"}, {"fly", "flew", "flown"},
    };
    // GBK: 腹部 = B8 B9 B2 BF, 锆 = EF AF, 擦伤 = B2 C1 C9 CB, 牵牛花 = C7 A3 C5 A3 BB A8
    static constexpr GlossaryRow kMedical[] = {
        {"abdomen", "\270\271\262\277"}, {"abrasion", "\262\301\311\313"},
        {"abrasion", "second row"},      {"morning-glory", "medical morning glory"},
        {"zircon", "medical zircon"},
    };
    static constexpr GlossaryRow kScience[] = {
        {"abdomen", "\270\271\262\277"},
        {"morning-glory", "\307\243\305\243\273\250"},
        {"zirconium", "\357\257"},
        {"zircon", "science zircon"},
    };
    static const WordLists lists{kVerbs, kMedical, kScience};
    return lists;
}
