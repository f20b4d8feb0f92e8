#pragma once

#include <string_view>

// How print sets punctuation against its words, for the book layout: a closing mark
// follows its word with no space and never begins a line, an opening one precedes its
// word with no space and never ends a line. Quotation marks that look the same at
// both ends (' and ") are neither: the text's own spacing says which they are.

// , . ; : ! ? ) ] } ” ’ … »
bool IsClosingPunctuation(std::string_view token);
// “ ‘ ( [ { «
bool IsOpeningPunctuation(std::string_view token);
