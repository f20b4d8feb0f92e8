#include "TextDecoder.h"

#include "CodePage.h"

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

std::string_view CutAtNul(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

}  // namespace

std::string TextDecoder::Decode(std::string_view bytes) {
    if (bytes.starts_with(kUtf16LeBom) || bytes.starts_with(kUtf16BeBom)) {
        const bool bigEndian = bytes.starts_with(kUtf16BeBom);
        const std::string text = codepage::Utf16ToUtf8(bytes.substr(2), bigEndian);
        return std::string(CutAtNul(text));
    }
    std::string_view text = CutAtNul(bytes);
    if (text.starts_with(kUtf8Bom)) {
        text.remove_prefix(kUtf8Bom.size());
    }
    if (codepage::IsValidUtf8(text)) {
        return std::string(text);
    }
    return codepage::Windows1252ToUtf8(text);
}
