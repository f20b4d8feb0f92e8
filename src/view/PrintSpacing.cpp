#include "PrintSpacing.h"

Punctuation WidePunctuationAt(std::string_view rest) {
    const auto lead = static_cast<unsigned char>(rest[0]);
    if (lead == 0xC2 && rest.size() >= 2) {
        const auto next = static_cast<unsigned char>(rest[1]);
        return next == 0xBB   ? Punctuation::Closing  // »
               : next == 0xAB ? Punctuation::Opening  // «
                              : Punctuation::None;
    }
    if (lead == 0xE2 && rest.size() >= 3 && static_cast<unsigned char>(rest[1]) == 0x80) {
        switch (static_cast<unsigned char>(rest[2])) {
            case 0x99:  // ’
            case 0x9D:  // ”
            case 0xA6:  // …
                return Punctuation::Closing;
            case 0x98:  // ‘
            case 0x9C:  // “
                return Punctuation::Opening;
            default:
                break;
        }
    }
    return Punctuation::None;
}
