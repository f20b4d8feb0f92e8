#include "TextDecoder.h"

#include <array>
#include <cstdint>
#include <cstring>

#include "AsciiText.h"
#include "CodePage.h"

namespace {

constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";
constexpr std::string_view kUtf32LeBom{"\xFF\xFE\0\0", 4};
constexpr std::string_view kUtf32BeBom{"\0\0\xFE\xFF", 4};

enum class Encoding { EightBit, Utf16Le, Utf16Be, Utf32Le, Utf32Be };

std::string_view CutAtNul(std::string_view text) { return text.substr(0, text.find('\0')); }

// English in UTF-16 has a zero in every other byte, in UTF-32 three zeros in
// four; an 8-bit text has next to none, and binary data has them everywhere.
// Only a clear pattern in the first 64 KiB counts.
Encoding GuessWithoutMark(std::string_view bytes) {
    const std::string_view sample = bytes.substr(0, std::size_t{1} << 16);
    if (sample.find('\0') == std::string_view::npos) {
        return Encoding::EightBit;
    }
    std::array<std::size_t, 4> zeros{};
    std::array<std::size_t, 4> small{};  // at most 0x10, as the second byte of a code point
    std::array<std::size_t, 4> counts{};
    for (std::size_t i = 0; i < sample.size(); ++i) {
        const auto byte = static_cast<unsigned char>(sample[i]);
        ++counts[i % 4];
        zeros[i % 4] += byte == 0 ? 1 : 0;
        small[i % 4] += byte <= 0x10 ? 1 : 0;
    }
    const auto nearlyAll = [&](const std::array<std::size_t, 4>& hits, std::size_t k) {
        return counts[k] > 0 && hits[k] * 100 >= counts[k] * 99;
    };
    const auto few = [&](std::size_t k) { return zeros[k] * 2 < counts[k]; };
    if (sample.size() >= 8) {
        if (nearlyAll(zeros, 3) && nearlyAll(small, 2) && few(0)) {
            return Encoding::Utf32Le;
        }
        if (nearlyAll(zeros, 0) && nearlyAll(small, 1) && few(3)) {
            return Encoding::Utf32Be;
        }
    }
    const std::size_t evenZeros = zeros[0] + zeros[2];
    const std::size_t oddZeros = zeros[1] + zeros[3];
    const std::size_t evenCount = counts[0] + counts[2];
    const std::size_t oddCount = counts[1] + counts[3];
    // Chinese in UTF-16 has few zeros of its own; a third of the characters in
    // Latin script is enough, as long as the other half of each unit is not zero.
    if (oddZeros >= 2 && oddZeros * 3 >= oddCount && evenZeros * 20 <= oddZeros) {
        return Encoding::Utf16Le;
    }
    if (evenZeros >= 2 && evenZeros * 3 >= evenCount && oddZeros * 20 <= evenZeros) {
        return Encoding::Utf16Be;
    }
    return Encoding::EightBit;
}

std::string DecodeEightBit(std::string_view text) {
    std::size_t validMultiByte = 0;
    std::size_t invalid = 0;
    for (std::size_t i = 0; i < text.size();) {
        // English text is mostly ASCII: eight bytes at a time while none has its top bit.
        std::uint64_t eight = 0;
        if (i + sizeof(eight) <= text.size()) {
            std::memcpy(&eight, text.data() + i, sizeof(eight));
            if ((eight & 0x8080808080808080ull) == 0) {
                i += sizeof(eight);
                continue;
            }
        }
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        const std::size_t length = codepage::Utf8SequenceAt(text, i);
        if (length == 0) {
            ++invalid;
            ++i;
        } else {
            validMultiByte += length > 1 ? length : 0;
            i += length;
        }
    }
    if (invalid == 0) {
        return std::string(text);
    }
    if (invalid > validMultiByte) {
        return codepage::Windows1252ToUtf8(text);
    }
    std::string out;
    out.reserve(text.size() + invalid * 2);
    std::size_t runStart = 0;  // start of the current run of invalid bytes
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = codepage::Utf8SequenceAt(text, i);
        if (length == 0) {
            ++i;
            continue;
        }
        if (runStart < i) {
            out += codepage::Windows1252ToUtf8(text.substr(runStart, i - runStart));
        }
        out.append(text.substr(i, length));
        i += length;
        runStart = i;
    }
    if (runStart < text.size()) {
        out += codepage::Windows1252ToUtf8(text.substr(runStart));
    }
    return out;
}

}  // namespace

std::string TextDecoder::Decode(std::string_view bytes) {
    Encoding encoding = Encoding::EightBit;
    if (bytes.starts_with(kUtf32LeBom) || bytes.starts_with(kUtf32BeBom)) {
        encoding = bytes.starts_with(kUtf32BeBom) ? Encoding::Utf32Be : Encoding::Utf32Le;
        bytes.remove_prefix(4);
    } else if (bytes.starts_with(kUtf16LeBom) || bytes.starts_with(kUtf16BeBom)) {
        encoding = bytes.starts_with(kUtf16BeBom) ? Encoding::Utf16Be : Encoding::Utf16Le;
        bytes.remove_prefix(2);
    } else {
        encoding = GuessWithoutMark(bytes);
    }
    std::string text;
    switch (encoding) {
        case Encoding::Utf16Le:
        case Encoding::Utf16Be:
            text = codepage::Utf16ToUtf8(bytes, encoding == Encoding::Utf16Be);
            break;
        case Encoding::Utf32Le:
        case Encoding::Utf32Be:
            text = codepage::Utf32ToUtf8(bytes, encoding == Encoding::Utf32Be);
            break;
        case Encoding::EightBit: {
            std::string_view eightBit = CutAtNul(bytes);
            if (eightBit.starts_with(kUtf8Bom)) {
                eightBit.remove_prefix(kUtf8Bom.size());
            }
            return DecodeEightBit(eightBit);
        }
    }
    text.resize(CutAtNul(text).size());
    return text;
}
