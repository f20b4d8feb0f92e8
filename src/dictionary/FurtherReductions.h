#pragma once

#include <optional>
#include <string>
#include <string_view>

class CDicMain;

// What the reductions tried after Translate's own ones answer: the entry decided
// (`reached`) and the gloss to show, GBK, empty when the reader knows the entry.
struct FurtherAnswer {
    std::string reachedWord;  // the entry's word
    std::string gloss;
    // The reached entry's score: a threshold above it shows the gloss.
    double frequency = 0;
};

// Reductions for words Translate's own steps take to no entry: British and ligature
// spellings (realise, analyse, æ, œ) looked up again in the American or plain one,
// Latin plurals whose singular is an entry (radii, strata, larvae), and -ly, -ness,
// -er, -est of an entry that is an adjective (its gloss has an item in 的). A derived
// form is known when its base is: it takes the base's score. An adverb says the
// adjective's items with 地, a noun in -ness without 的, a degree with 更 or 最.
// nullopt when none reaches an entry.
std::optional<FurtherAnswer> TranslateFurther(const CDicMain& dic, std::string_view word,
                                              double threshold);
// The same at every threshold at once: `gloss` as if the reader knew nothing, to be
// shown where the threshold is above `frequency`.
std::optional<FurtherAnswer> FurtherAtAnyStep(const CDicMain& dic, std::string_view word);
