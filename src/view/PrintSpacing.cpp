#include "PrintSpacing.h"

namespace {

// The third byte of U+2010 … U+2027 (E2 80 xx).
constexpr unsigned char kRightSingleQuote = 0x99;  // ’
constexpr unsigned char kRightDoubleQuote = 0x9D;  // ”
constexpr unsigned char kEllipsis = 0xA6;          // …
constexpr unsigned char kLeftSingleQuote = 0x98;   // ‘
constexpr unsigned char kLeftDoubleQuote = 0x9C;   // “

// The last byte of a three-byte general punctuation mark, or 0.
unsigned char GeneralPunctuation(std::string_view token) {
    return token.size() == 3 && static_cast<unsigned char>(token[0]) == 0xE2 &&
                   static_cast<unsigned char>(token[1]) == 0x80
               ? static_cast<unsigned char>(token[2])
               : 0;
}

}  // namespace

bool IsClosingPunctuation(std::string_view token) {
    if (token.size() == 1) {
        switch (token[0]) {
            case ',':
            case '.':
            case ';':
            case ':':
            case '!':
            case '?':
            case ')':
            case ']':
            case '}':
                return true;
            default:
                return false;
        }
    }
    if (token == "\xC2\xBB") {  // »
        return true;
    }
    const unsigned char mark = GeneralPunctuation(token);
    return mark == kRightSingleQuote || mark == kRightDoubleQuote || mark == kEllipsis;
}

bool IsOpeningPunctuation(std::string_view token) {
    if (token.size() == 1) {
        return token[0] == '(' || token[0] == '[' || token[0] == '{';
    }
    if (token == "\xC2\xAB") {  // «
        return true;
    }
    const unsigned char mark = GeneralPunctuation(token);
    return mark == kLeftSingleQuote || mark == kLeftDoubleQuote;
}
