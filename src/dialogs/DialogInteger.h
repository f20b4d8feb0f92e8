#pragma once

#include <optional>
#include <string>
#include <string_view>

// The integer field of a dialog, read and written the way the reader's typing is
// judged in the go-to-page box: lenient about surrounding blanks, strict about
// everything else, and never failing on a number that is merely too large.
struct DialogInteger {
    // Only this many characters of the field are looked at.
    static constexpr std::size_t kMaxCharacters = 31;

    // The number in the field, or nullopt when the reader must be asked again.
    // The text is UTF-8; counting bytes instead of characters cuts at the same
    // place for every field that can succeed, because anything other than ASCII
    // blanks, signs and digits before the cut makes the field fail anyway.
    static std::optional<int> Parse(std::string_view text);

    // The text the field shows for a number.
    static std::string Format(int value);
};
