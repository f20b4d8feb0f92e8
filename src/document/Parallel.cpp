#include "Parallel.h"

#include <sched.h>

#include <atomic>
#include <exception>
#include <thread>
#include <vector>

bool RunInParts(std::size_t parts, const std::function<bool(std::size_t, const GoOn&)>& work) {
    if (parts <= 1) {
        return work(0, [] { return true; });
    }
    std::atomic<bool> stop = false;
    const GoOn goOn = [&stop] { return !stop.load(std::memory_order_relaxed); };
    std::vector<std::exception_ptr> failures(parts);
    auto runPart = [&](std::size_t part) {
        try {
            if (!work(part, goOn)) {
                stop = true;
            }
        } catch (...) {
            failures[part] = std::current_exception();
            stop = true;
        }
    };
    std::vector<std::thread> threads;
    threads.reserve(parts - 1);
    for (std::size_t part = 1; part < parts; ++part) {
        try {
            threads.emplace_back(runPart, part);
        } catch (...) {
            runPart(part);  // no thread to be had: this one does the part
        }
    }
    runPart(0);
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (const std::exception_ptr& failure : failures) {
        if (failure) {
            std::rethrow_exception(failure);
        }
    }
    return !stop.load();
}

std::size_t ProcessorCount() {
    // The processors this process may run on, which a container or `taskset` may
    // limit below the machine's.
    cpu_set_t allowed;
    CPU_ZERO(&allowed);
    if (sched_getaffinity(0, sizeof(allowed), &allowed) == 0 && CPU_COUNT(&allowed) > 0) {
        return static_cast<std::size_t>(CPU_COUNT(&allowed));
    }
    const unsigned count = std::thread::hardware_concurrency();
    return count == 0 ? 1 : count;
}
