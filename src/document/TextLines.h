#pragma once

#include <string_view>

// Calls `take` with every line of `bytes`, without its LF or CR LF ending; a last
// line without an ending counts too. The small text files the program keeps for
// the reader (word lists, the word book) are read through this one loop.
template <typename Take>
void ForEachTextLine(std::string_view bytes, Take take) {
    while (!bytes.empty()) {
        const std::size_t lf = bytes.find('\n');
        std::string_view line = bytes.substr(0, lf);
        bytes = lf == std::string_view::npos ? std::string_view() : bytes.substr(lf + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        take(line);
    }
}
