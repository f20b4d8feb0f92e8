#pragma once

#include <string>
#include <string_view>

// Turns the bytes of a text file or of the clipboard into the UTF-8 text the
// paragraphs are made of. Linux texts are UTF-8, but old Windows texts are not.
class TextDecoder {
public:
    // UTF-16 and UTF-32 are recognised by their byte-order mark, or without one
    // by the zero bytes English text leaves in them; the decoded text ends at its
    // first U+0000. Anything else is cut at its first NUL byte and a leading UTF-8
    // byte-order mark is dropped. Valid UTF-8 stays as it is and each invalid byte
    // is read as Windows-1252, so one stray byte cannot spoil a UTF-8 book; when
    // most of the text's non-ASCII bytes are invalid, the whole text is read as
    // Windows-1252, so that every byte still shows as a character.
    static std::string Decode(std::string_view bytes);
};
