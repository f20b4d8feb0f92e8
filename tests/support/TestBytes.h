#pragma once

#include <cstdio>
#include <string>
#include <string_view>

// "8E 06 9F" -> the three bytes; spaces are ignored.
inline std::string Hex(std::string_view text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        bytes.push_back(static_cast<char>(std::stoi(std::string(text.substr(i, 2)), nullptr, 16)));
        i += 2;
    }
    return bytes;
}

// The bytes as upper-case hex pairs separated by spaces, for readable failures.
inline std::string ToHex(std::string_view bytes) {
    std::string text;
    for (char c : bytes) {
        char pair[4];
        std::snprintf(pair, sizeof pair, "%02X", static_cast<unsigned char>(c));
        if (!text.empty()) {
            text += ' ';
        }
        text += pair;
    }
    return text;
}
