#include "ScrollCommands.h"

#include <algorithm>

#include "StripGeometry.h"

namespace ScrollCommands {

int StepDown(int pos, int step, int textHeight) {
    return pos + step > textHeight ? textHeight : pos + step;
}

int StepUp(int pos, int step) { return pos - step < 0 ? 0 : pos - step; }

int GotoPage(int page, int textHeight) {
    const int last = textHeight / kPageHeight;
    page = std::clamp(page, 0, std::max(last, 0));
    return page * kPageHeight - kLabelAbovePageBreak;
}

int Wheel(int pos, int delta, bool shiftAlone, int textHeight) {
    if (delta == 0) {
        return pos;
    }
    const int moved = pos - (shiftAlone ? 18000 : 1800) / delta;
    return std::clamp(moved, 0, std::max(textHeight, 0));
}

}  // namespace ScrollCommands
