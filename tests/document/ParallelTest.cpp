// Shared-out work: every part runs, a stop reaches the others, and a part's
// exception reaches the caller only once no thread still runs.
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

#include "Parallel.h"

namespace {

TEST(RunInParts, EveryPartRunsOnceAndPartZeroOnTheCallingThread) {
    for (const std::size_t parts : {1u, 2u, 5u}) {
        std::atomic<int> ran = 0;
        std::thread::id first;
        EXPECT_TRUE(RunInParts(parts, [&](std::size_t part, const GoOn&) {
            if (part == 0) {
                first = std::this_thread::get_id();
            }
            ++ran;
            return true;
        }));
        EXPECT_EQ(ran, static_cast<int>(parts));
        EXPECT_EQ(first, std::this_thread::get_id());
    }
}

TEST(RunInParts, APartThatStopsStopsTheOthers) {
    const bool finished = RunInParts(3, [&](std::size_t part, const GoOn& goOn) {
        if (part == 0) {
            return false;
        }
        // Waits for the stop; a part that never saw it would spin here for good.
        while (goOn()) {
            std::this_thread::yield();
        }
        return true;
    });
    EXPECT_FALSE(finished);
}

TEST(RunInParts, AnExceptionIsThrownAfterEveryPartHasEnded) {
    std::atomic<int> ended = 0;
    EXPECT_THROW(RunInParts(3,
                            [&](std::size_t part, const GoOn& goOn) -> bool {
                                if (part == 2) {
                                    ++ended;
                                    throw std::runtime_error("part 2");
                                }
                                while (goOn()) {
                                    std::this_thread::yield();
                                }
                                ++ended;
                                return true;
                            }),
                 std::runtime_error);
    EXPECT_EQ(ended, 3);
}

}  // namespace
