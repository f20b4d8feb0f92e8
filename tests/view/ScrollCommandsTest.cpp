// The scroll arithmetic of keys, toolbar, scroll bar, wheel and go-to-page.
#include <gtest/gtest.h>

#include <cstdint>

#include "ScrollCommands.h"

namespace {

using namespace ScrollCommands;

TEST(ScrollCommands, StepsClampOnlyTowardTheirOwnDirection) {
    struct Case {
        const char* what;
        std::int64_t got;
        std::int64_t expected;
    };
    const int text = 2500;
    const Case cases[] = {
        {"line up at the top stays", StepUp(0, kLineStep), 0},
        {"line down at the end stays", StepDown(text, kLineStep, text), text},
        {"line down near the end stops at it", StepDown(2495, kLineStep, text), text},
        {"line up near the top stops at it", StepUp(4, kLineStep), 0},
        {"half window of 601 is 300", HalfWindow(601), 300},
        {"half page down", StepDown(100, HalfWindow(601), text), 400},
        {"half page up", StepUp(1000, HalfWindow(601)), 700},
        // A position left above the range by going to page 0: a downward step clamps
        // at the end only, an upward one at the top.
        {"down from -20", StepDown(-20, kLineStep, text), -10},
        {"up from -20", StepUp(-20, kLineStep), 0},
        // A position beyond a text that shrank: moving down clamps it back.
        {"down beyond a shrunken text", StepDown(4000, kLineStep, text), text},
        {"up beyond a shrunken text", StepUp(4000, kLineStep), 3990},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.got, c.expected) << c.what;
    }
}

TEST(ScrollCommands, GotoPageClampsThePageAndStandsTwentyAboveItsEnd) {
    struct Case {
        int page;
        int textHeight;
        int expected;
    };
    const Case cases[] = {
        {3, 2500, 1980},  // only two whole pages: page 2
        {2, 2500, 1980},
        {1, 2500, 980},
        {0, 2500, -20},
        {-5, 2500, -20},
        {1, 20, -20},  // an empty text has no page 1 to end
        {2147483647, 1999, 980},
        {-2147483647 - 1, 1999, -20},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GotoPage(c.page, c.textHeight), c.expected) << c.page << " of " << c.textHeight;
    }
}

TEST(ScrollCommands, WheelMovesByNotchesAndClampsAtBothEnds) {
    struct Case {
        int pos;
        int delta;
        bool shiftAlone;
        int expected;
    };
    const int text = 2500;
    const Case cases[] = {
        {1000, 120, false, 985},  // away from the reader: toward the start
        {1000, 120, true, 850},    {1000, -240, false, 1007},  // 1800 / -240 truncates to -7
        {1000, -120, true, 1150},  {1000, 7, false, 743},  // a fine touchpad step: 1800 / 7 = 257
        {1000, 0, false, 1000},                            // no movement at all, no division
        {1000, 0, true, 1000},     {5, 120, false, 0},
        {2495, -120, false, text}, {-20, 0, false, -20},  // nothing happens, so nothing clamps
        {-20, -120, false, 0},                            // the wheel clamps at both ends
        {4000, 120, false, text},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Wheel(c.pos, c.delta, c.shiftAlone, text), c.expected)
            << c.pos << " " << c.delta << (c.shiftAlone ? " shift" : "");
    }
}

// ---- Former bugs ----

// A large font over a long text is taller than 2^31 pixels: every move near its end
// wrapped to a negative position.
TEST(ScrollCommands, PositionsPastTwoToTheThirtyFirstDoNotWrap) {
    const std::int64_t text = 3'000'100'020;
    EXPECT_EQ(StepDown(text - 5, kLineStep, text), text);
    EXPECT_EQ(StepDown(2'147'483'640, kLineStep, text), 2'147'483'650);
    EXPECT_EQ(StepUp(text, HalfWindow(601)), text - 300);
    EXPECT_EQ(GotoPage(3'000'100, text), 3'000'099'980);
    EXPECT_EQ(GotoPage(2'147'483'647, text), 3'000'099'980);
    EXPECT_EQ(Wheel(text - 5, -120, false, text), text);
}

TEST(ScrollCommands, TheScrollBarCountsPixelsUntilTheyNoLongerFitAnInt) {
    struct Case {
        std::int64_t textHeight;
        std::int64_t unit;
    };
    const Case cases[] = {
        {0, 1},
        {2500, 1},
        {2'147'483'647, 1},
        {2'147'483'648, 2},
        {3'000'100'020, 2},
        {4'294'967'294, 2},
        {4'294'967'295, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.textHeight);
        const ScrollBarScale scale = ScrollBarScale::ForTextHeight(c.textHeight);
        EXPECT_EQ(scale.unit, c.unit);
        // The whole text fits the bar, and a bar value comes back within one unit.
        EXPECT_LE(scale.ToBar(c.textHeight), 2'147'483'647);
        EXPECT_LE(c.textHeight - scale.FromBar(scale.ToBar(c.textHeight)), c.unit - 1);
    }
    // Pixel for pixel, positions outside the range included.
    const ScrollBarScale one = ScrollBarScale::ForTextHeight(2500);
    EXPECT_EQ(one.ToBar(-20), -20);
    EXPECT_EQ(one.FromBar(1234), 1234);
}

}  // namespace
