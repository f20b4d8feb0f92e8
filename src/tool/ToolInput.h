#pragma once

#include <optional>
#include <string>
#include <string_view>

// The bytes of a file, or of standard input for "-"; nullopt when they cannot be read.
std::optional<std::string> ReadInputBytes(const std::string& input);

// The text of a file (standard input for "-") as the reading window opens it: an EPUB
// book's text when it is named .epub (or, on standard input, has an EPUB's bytes), else
// the bytes decoded to UTF-8. nullopt after a message on standard error naming `command`.
std::optional<std::string> ReadTextAsWindowDoes(const std::string& input, std::string_view command);
