#pragma once

#include <string>
#include <string_view>

// A field of the reader's tab-separated files (the word book, the bookmarks): backslash,
// TAB, CR and LF are written \\ \t \r \n, so a field never splits its line. Any other
// byte stays as it is, a path's bytes that are not UTF-8 too. A backslash before any
// other character, or at the field's end, is read as itself.
std::string EscapeField(std::string_view field);
std::string UnescapeField(std::string_view field);
