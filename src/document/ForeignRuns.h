#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "CParagraph.h"

class CDicMain;

// Which tokens of a text lie in a run of another language or of figures: five
// words in a row of which four or more reach no entry of the dictionary (a French
// or Latin quotation, a table of numbers). Such a run gets no glosses and no sense
// chosen by context: its words that happen to be spelt like English ones ("sans",
// "est", "de") are not English there. A word the text uses as a name (`isName`, by
// word number) counts as a word of the text, so English thick with names is no run;
// single letters are left out of the count. A dictionary of fewer than
// kForeignRunDictionary entries (a test's, a small imported one) is no evidence that
// a word is not English: with it no run is found.
//
// Reads the whole text store and the dictionary, nothing else: a pass that can run
// as soon as the text is split. One flag per token of the store.
std::vector<bool> FindForeignRuns(const TextStore& store, const CDicMain& dic,
                                  const std::function<bool(std::uint32_t)>& isName);

inline constexpr std::size_t kForeignRunLength = 5;
inline constexpr std::size_t kForeignRunUnknown = 4;
inline constexpr std::size_t kForeignRunDictionary = 10000;
