#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Conversions between the byte encodings the program meets: GBK inside the
// dictionary, UTF-8 on screen and in files, Windows-1252, UTF-16 and UTF-32 in old texts.
// Strict conversions answer nullopt and report the offset of the first byte
// (in the input) that could not be converted.
namespace codepage {

std::optional<std::string> GbkToUtf8(std::string_view gbk, std::size_t* badOffset = nullptr);
// For display: a byte sequence that is not GBK becomes U+FFFD, never dropped.
std::string GbkToUtf8Lossy(std::string_view gbk);
std::optional<std::string> Utf8ToGbk(std::string_view utf8, std::size_t* badOffset = nullptr);

bool IsValidUtf8(std::string_view bytes);
// The bytes with every byte that begins no well-formed sequence made U+FFFD: for
// messages that quote names or errors a file's maker chose.
std::string ValidUtf8(std::string_view bytes);
// The length of the well-formed UTF-8 sequence starting at `at` (1 for ASCII), or
// 0 when the byte there does not begin one.
std::size_t Utf8SequenceAt(std::string_view bytes, std::size_t at);
// Every byte is taken; the five bytes Windows-1252 leaves undefined become U+FFFD.
std::string Windows1252ToUtf8(std::string_view bytes);
// Unpaired surrogates and a trailing odd byte become U+FFFD.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian);
// Code points beyond U+10FFFF, surrogates and a trailing partial unit become U+FFFD.
std::string Utf32ToUtf8(std::string_view bytes, bool bigEndian);

}  // namespace codepage
