#include "GotoEntry.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "DialogInteger.h"

namespace {

constexpr std::string_view kFullWidthPercent = "\xEF\xBC\x85";  // ％

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Full-width digits and point (U+FF10 … U+FF19, U+FF0E) as ASCII, so that a number
// typed with a Chinese input method reads as one.
std::string AsciiDigits(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
        if (i + 2 < text.size() && byte(i) == 0xEF && byte(i + 1) == 0xBC &&
            ((byte(i + 2) >= 0x90 && byte(i + 2) <= 0x99) || byte(i + 2) == 0x8E)) {
            out += byte(i + 2) == 0x8E ? '.' : static_cast<char>('0' + byte(i + 2) - 0x90);
            i += 2;
            continue;
        }
        out += text[i];
    }
    return out;
}

}  // namespace

std::optional<GotoEntry> ParseGotoEntry(std::string_view text) {
    const std::string ascii = AsciiDigits(text);
    std::string_view entry = Trimmed(ascii);
    bool percent = false;
    if (entry.ends_with('%')) {
        entry.remove_suffix(1);
        percent = true;
    } else if (entry.ends_with(kFullWidthPercent)) {
        entry.remove_suffix(kFullWidthPercent.size());
        percent = true;
    }
    if (!percent) {
        // The integer field reads no further than its first characters either.
        const std::optional<int> page = DialogInteger::Parse(ascii);
        return page ? std::optional<GotoEntry>(GotoEntry{*page, std::nullopt}) : std::nullopt;
    }
    entry = Trimmed(entry);
    double value = 0;
    const auto [end, error] =
        std::from_chars(entry.data(), entry.data() + entry.size(), value, std::chars_format::fixed);
    if (entry.empty() || error != std::errc() || end != entry.data() + entry.size() ||
        !std::isfinite(value) || value < 0) {
        return std::nullopt;
    }
    return GotoEntry{0, std::min(value, 100.0)};
}
