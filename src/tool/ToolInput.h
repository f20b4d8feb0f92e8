#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "CParagraphList.h"

// The bytes of a file, or of standard input for "-"; nullopt when they cannot be read.
std::optional<std::string> ReadInputBytes(const std::string& input);

// The text of a file (standard input for "-") as the reading window opens it, split but
// not glossed: an EPUB book's text (and its titles) when it is named .epub (or, on
// standard input, has an EPUB's bytes), else the bytes decoded to UTF-8. nullopt after a
// message on standard error naming `command`.
std::optional<CParagraphList> ReadTextAsWindowDoes(const std::string& input,
                                                   std::string_view command);
