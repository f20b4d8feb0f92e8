#pragma once

#include <string_view>
#include <type_traits>

// Calls `take` with every line of `bytes`, without its LF or CR LF ending; a last
// line without an ending counts too, less a CR it ends with. The line-based files
// the program reads (word lists, the word book, text dictionaries, the data tables)
// are read with it. The text being read is not: its splitter (TextSplitter.cpp)
// drops empty lines and keeps a CR that ends the text without an LF. A `take` that
// answers bool stops the loop by answering false.
template <typename Take>
void ForEachTextLine(std::string_view bytes, Take take) {
    while (!bytes.empty()) {
        const std::size_t lf = bytes.find('\n');
        std::string_view line = bytes.substr(0, lf);
        bytes = lf == std::string_view::npos ? std::string_view() : bytes.substr(lf + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if constexpr (std::is_same_v<std::invoke_result_t<Take&, std::string_view>, bool>) {
            if (!take(line)) {
                return;
            }
        } else {
            take(line);
        }
    }
}
