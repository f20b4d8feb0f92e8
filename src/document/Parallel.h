#pragma once

#include <cstddef>
#include <functional>

// Asked now and then by a part of shared work; false once the work is to stop.
using GoOn = std::function<bool()>;

// Runs `work(part, goOn)` for every part from 0 to parts - 1 side by side: part 0 on
// the calling thread (so that only it may report progress to a caller), each other
// part on a thread of its own. A part returns false when it stopped early; goOn()
// answers false in every part once any part has stopped or thrown. Returns whether
// every part finished. The first exception a part threw is thrown again here, once
// every thread has ended.
bool RunInParts(std::size_t parts, const std::function<bool(std::size_t, const GoOn&)>& work);

// How many parts the machine's processors can take at once (at least one).
std::size_t ProcessorCount();
