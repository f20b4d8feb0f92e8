#pragma once

#include <string>
#include <string_view>

class CDicMain;

// The dictionary as UTF-8 text, one entry a line: word TAB gloss TAB frequency.
// Throws std::runtime_error naming the entry whose gloss is not valid GBK.
std::string DictionaryToTsv(const CDicMain& dic);

// Appends the entries of such a text, read as DictionaryText's Tsv2Dic reader reads
// it (lines beginning with # and empty lines skipped, each gloss converted to GBK).
// Throws std::runtime_error naming the line of the first malformed entry, or saying
// that there is no entry; the dictionary is then left unchanged.
void AppendEntriesFromTsv(CDicMain& dic, std::string_view tsv);
