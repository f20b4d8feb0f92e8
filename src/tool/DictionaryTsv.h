#pragma once

#include <string>
#include <string_view>

class CDicMain;

// The dictionary as UTF-8 text, one entry a line: word TAB gloss TAB frequency.
// Throws std::runtime_error naming the entry whose gloss is not valid GBK.
std::string DictionaryToTsv(const CDicMain& dic);

// Appends the entries of such a text (lines beginning with # and empty lines
// skipped), converting each gloss to GBK. Throws TsvError naming the line of the
// first malformed entry; the dictionary is then left unchanged.
void AppendEntriesFromTsv(CDicMain& dic, std::string_view tsv);
