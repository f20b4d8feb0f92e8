#pragma once

#include <cstdint>
#include <vector>

#include "CParagraph.h"

class CDicMain;

// Which words of a text it writes as Latin binomials, the names of species
// ("Escherichia coli", "Omne ignotum"'s kind of Latin too): a capitalised word of
// three letters or more right before a small word of four or more that ends as
// Latin names do (-us, -um, -a, -ae, -is, -i, -ii) and reaches no entry of the
// dictionary, not even through the further reductions (after a name, "timidly" is
// English). Both words are names there and wherever the text uses them. A species
// word that is an entry ("Canis lupus", "Homo sapiens") is missed: one error the
// other way would cost every use of an English word its gloss. A dictionary of
// fewer than kForeignRunDictionary entries finds none.
//
// One flag per word number of the store; reads the whole text (the store and its
// paragraphs) and the dictionary, so it can run as soon as the text is split.
std::vector<std::uint8_t> FindBinomialNames(const TextStore& store,
                                            const std::vector<CParagraph>& paragraphs,
                                            const CDicMain& dic);
