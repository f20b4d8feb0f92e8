#include "ScrollCommands.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "StripGeometry.h"

namespace ScrollCommands {

namespace {
constexpr std::int64_t kBarMax = std::numeric_limits<int>::max();
constexpr std::int64_t kBarMin = std::numeric_limits<int>::min();
}  // namespace

std::int64_t StepDown(std::int64_t pos, int step, std::int64_t textHeight) {
    return pos + step > textHeight ? textHeight : pos + step;
}

std::int64_t StepUp(std::int64_t pos, int step) { return pos - step < 0 ? 0 : pos - step; }

std::int64_t GotoPage(int page, std::int64_t textHeight) {
    const std::int64_t last = textHeight / kPageHeight;
    const std::int64_t held = std::clamp<std::int64_t>(page, 0, std::max<std::int64_t>(last, 0));
    return held * kPageHeight - kLabelAbovePageBreak;
}

std::int64_t AtPercent(double percent, std::int64_t textHeight) {
    const double held = std::isnan(percent) ? 0.0 : std::clamp(percent, 0.0, 100.0);
    return std::llround(held / 100.0 * static_cast<double>(std::max<std::int64_t>(textHeight, 0)));
}

std::int64_t Wheel(std::int64_t pos, int delta, bool shiftAlone, std::int64_t textHeight) {
    if (delta == 0) {
        return pos;
    }
    const std::int64_t moved = pos - (shiftAlone ? 18000 : 1800) / delta;
    return std::clamp<std::int64_t>(moved, 0, std::max<std::int64_t>(textHeight, 0));
}

ScrollBarScale ScrollBarScale::ForTextHeight(std::int64_t textHeight) {
    return {textHeight <= kBarMax ? 1 : (textHeight + kBarMax - 1) / kBarMax};
}

int ScrollBarScale::ToBar(std::int64_t pos) const {
    return static_cast<int>(std::clamp(pos / unit, kBarMin, kBarMax));
}

}  // namespace ScrollCommands
