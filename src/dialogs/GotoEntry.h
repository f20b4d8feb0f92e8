#pragma once

#include <optional>
#include <string_view>

// What the reader typed in the go-to-page box: a page number, or a point in the text
// as a percentage ("50%", "12.5 %", a full-width "５０％" from a Chinese input method).
struct GotoEntry {
    int page = 0;
    std::optional<double> percent;  // 0 … 100 when the reader gave one

    bool operator==(const GotoEntry&) const = default;
};

// Nullopt when the reader must be asked again. A page is read as DialogInteger reads
// it; a percentage beyond 100 is held at 100.
std::optional<GotoEntry> ParseGotoEntry(std::string_view text);
