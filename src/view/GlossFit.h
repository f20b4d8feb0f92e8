#pragma once

#include <cstddef>
#include <functional>
#include <string_view>

class CParagraph;

// A gloss runs on to the right under the following words, and the next gloss on
// its line is drawn over it. Its room is the distance from its token's left edge to
// the next glossed token's left edge on the same line, or -1 (unlimited) when no
// gloss follows it there. Needs a laid-out paragraph. `flowedOn`, when given, is the
// paragraph that the book layout continues on the paragraph's last line: its glosses
// there limit the room too.
int GlossRoom(const CParagraph& paragraph, std::size_t token, const CParagraph* flowedOn = nullptr);

// What of a GBK gloss to draw in `room` pixels (-1: unlimited), `width` measuring
// GBK text: the whole gloss when it fits, else as many of its leading senses (the
// parts between "，", "；", "," and ";") as fit, and never less than the first, so
// that a reader sees whole senses rather than the tail of one covered by the next.
std::string_view FittedGloss(std::string_view gloss, int room,
                             const std::function<int(std::string_view)>& width);
