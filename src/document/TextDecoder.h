#pragma once

#include <string>
#include <string_view>

// Turns the bytes of a text file or of the clipboard into the UTF-8 text the
// paragraphs are made of. Linux texts are UTF-8, but old Windows texts are not.
class TextDecoder {
public:
    // A UTF-16 text with its byte-order mark is decoded whole; anything else is
    // cut at its first NUL byte. A leading UTF-8 byte-order mark is dropped. A
    // text that is then not valid UTF-8 is read as Windows-1252, so that every
    // byte still shows as a character.
    static std::string Decode(std::string_view bytes);
};
