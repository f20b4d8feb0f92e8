#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CParagraph;

// The text of the paragraphs a window of `windowHeight` pixels scrolled to `scrollPos`
// shows, wholly or in part, one paragraph a line: what 复制 puts on the clipboard.
std::string ShownText(const std::vector<CParagraph>& paragraphs, std::int64_t scrollPos,
                      int windowHeight);
