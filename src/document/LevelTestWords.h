#pragma once

#include <string_view>
#include <vector>

#include "LevelTest.h"

class CDicMain;

// Every headword of the loaded dictionary by falling frequency score: the order the
// vocabulary steps cut (step k takes the first 2,000 k as known). Glosses in UTF-8.
std::vector<RankedWord> FrequencyOrder(const CDicMain& dic);

// Whether the dictionary has `text` as a headword or as a form that reduces to one:
// what a made-up word of the level test must never be.
bool IsDictionaryWord(const CDicMain& dic, std::string_view text);
