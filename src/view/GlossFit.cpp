#include "GlossFit.h"

#include <algorithm>

#include "CParagraph.h"

int GlossRoom(const CParagraph& paragraph, std::size_t token, const CParagraph* flowedOn) {
    const std::size_t count = paragraph.LaidOut() ? paragraph.TokenCount() : 0;
    for (std::size_t k = token + 1; k < count && paragraph.Line(k) == paragraph.Line(token); ++k) {
        if (!paragraph.Gloss(k).empty()) {
            return paragraph.X(k) - paragraph.X(token);
        }
    }
    if (flowedOn == nullptr || token >= count ||
        paragraph.Line(token) != paragraph.Line(count - 1)) {
        return -1;
    }
    const std::size_t next = flowedOn->LaidOut() ? flowedOn->TokenCount() : 0;
    for (std::size_t k = 0; k < next && flowedOn->Line(k) == 0; ++k) {
        if (!flowedOn->Gloss(k).empty()) {
            return flowedOn->X(k) - paragraph.X(token);
        }
    }
    return -1;
}

namespace {

// Byte offsets where the senses of a GBK gloss end (each separator's start), in order.
template <typename Visit>
void ForEachSenseEnd(std::string_view gloss, Visit visit) {
    std::size_t i = 0;
    while (i < gloss.size()) {
        const auto lead = static_cast<unsigned char>(gloss[i]);
        if (lead >= 0x81 && i + 1 < gloss.size()) {
            const auto trail = static_cast<unsigned char>(gloss[i + 1]);
            // "，" and "；"
            if (lead == 0xA3 && (trail == 0xAC || trail == 0xBB)) {
                if (!visit(i)) {
                    return;
                }
            }
            i += 2;
            continue;
        }
        if ((lead == ',' || lead == ';') && !visit(i)) {
            return;
        }
        ++i;
    }
}

}  // namespace

std::string_view FittedGloss(std::string_view gloss, int room,
                             const std::function<int(std::string_view)>& width) {
    if (room < 0 || width(gloss) <= room) {
        return gloss;
    }
    std::string_view fitted;
    ForEachSenseEnd(gloss, [&](std::size_t end) {
        if (end == 0) {
            return true;  // a gloss that starts with a separator has no empty first sense
        }
        const std::string_view senses = gloss.substr(0, end);
        if (!fitted.empty() && width(senses) > room) {
            return false;
        }
        fitted = senses;
        return true;
    });
    return fitted.empty() ? gloss : fitted;
}
