#include "CodePage.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace codepage {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

// One iconv conversion descriptor, closed on scope exit.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {
        if (m_cd == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
        }
    }
    ~Converter() { iconv_close(m_cd); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much as it can; returns the offset of the first byte it could not
    // convert, or input.size() when all of it went through.
    std::size_t Convert(std::string_view input, std::string& output) {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        char buffer[4096];
        while (inLeft > 0) {
            char* out = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t rc = iconv(m_cd, &in, &inLeft, &out, &outLeft);
            output.append(buffer, static_cast<std::size_t>(out - buffer));
            if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
                break;
            }
        }
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        iconv(m_cd, nullptr, nullptr, &out, &outLeft);
        output.append(buffer, static_cast<std::size_t>(out - buffer));
        return input.size() - inLeft;
    }

private:
    iconv_t m_cd;
};

std::optional<std::string> Strict(const char* to, const char* from, std::string_view input,
                                  std::size_t* badOffset) {
    Converter converter(to, from);
    std::string output;
    const std::size_t done = converter.Convert(input, output);
    if (done != input.size()) {
        if (badOffset != nullptr) {
            *badOffset = done;
        }
        return std::nullopt;
    }
    return output;
}

// Converts piecewise, putting U+FFFD for each unit that does not convert.
std::string Lossy(const char* from, std::string_view input, std::size_t unit) {
    Converter converter("UTF-8", from);
    std::string output;
    while (!input.empty()) {
        const std::size_t done = converter.Convert(input, output);
        input.remove_prefix(done);
        if (!input.empty()) {
            output.append(kReplacement);
            input.remove_prefix(std::min(unit, input.size()));
        }
    }
    return output;
}

}  // namespace

std::optional<std::string> GbkToUtf8(std::string_view gbk, std::size_t* badOffset) {
    return Strict("UTF-8", "GBK", gbk, badOffset);
}

std::string GbkToUtf8Lossy(std::string_view gbk) { return Lossy("GBK", gbk, 1); }

std::optional<std::string> Utf8ToGbk(std::string_view utf8, std::size_t* badOffset) {
    return Strict("GBK", "UTF-8", utf8, badOffset);
}

std::size_t Utf8SequenceAt(std::string_view bytes, std::size_t at) {
    const unsigned char c = static_cast<unsigned char>(bytes[at]);
    if (c < 0x80) {
        return 1;
    }
    std::size_t length;
    unsigned min;
    unsigned code;
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2, min = 0x80, code = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3, min = 0x800, code = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4, min = 0x10000, code = c & 0x07;
    } else {
        return 0;
    }
    if (at + length > bytes.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const unsigned char next = static_cast<unsigned char>(bytes[at + k]);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (next & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return 0;
    }
    return length;
}

bool IsValidUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = Utf8SequenceAt(bytes, i);
        if (length == 0) {
            return false;
        }
        i += length;
    }
    return true;
}

std::string Windows1252ToUtf8(std::string_view bytes) { return Lossy("WINDOWS-1252", bytes, 1); }

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    return Lossy(bigEndian ? "UTF-16BE" : "UTF-16LE", bytes, 2);
}

std::string Utf32ToUtf8(std::string_view bytes, bool bigEndian) {
    return Lossy(bigEndian ? "UTF-32BE" : "UTF-32LE", bytes, 4);
}

std::string ValidUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = Utf8SequenceAt(bytes, at);
        if (length == 0) {
            out += "\xEF\xBF\xBD";
            ++at;
        } else {
            out.append(bytes.substr(at, length));
            at += length;
        }
    }
    return out;
}

}  // namespace codepage
