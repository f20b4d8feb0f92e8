#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "EntryDatabase.h"
#include "WordCardContent.h"

class CDicMain;

// What the dictionary panel found for the reader's query.
struct EntrySearchResult {
    std::vector<std::string> words;  // headwords, the best first, none twice
    bool english = false;            // the query was read as an English word
};

// The headwords a query names. A query of Latin letters (with apostrophes, hyphens,
// dots and spaces between them) is an English word in any form: the headword it is,
// the entry that lists it among its forms (went: go), the entry main.dic's word-form
// reductions reach, then headwords beginning with it. Anything else is text looked for
// inside the senses, whole senses first. The query is trimmed of blanks and is only
// ever text: quotes, `%` and full-text syntax are looked for as characters. With the
// entries unavailable, an English word still finds what main.dic reaches.
EntrySearchResult SearchEntries(const CDicMain& dic, EntryDatabase& entries, std::string_view query,
                                std::size_t limit);

// True when the query is read as an English word.
bool IsEnglishQuery(std::string_view query);

// The card of a headword picked in the panel: no occurrence, so main.dic's gloss is
// what shows as its gloss and marks the line it comes from.
WordCardContent CardForWord(const CDicMain& dic, EntryDatabase& entries, std::string_view word);

// main.dic's short gloss of a word (any form), UTF-8; "" when it has none.
std::string ShortGloss(const CDicMain& dic, std::string_view word);
