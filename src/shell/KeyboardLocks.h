#pragma once

#include <optional>

// Caps, Num and Scroll Lock as the keyboard's indicators show them.
struct KeyboardLocks {
    bool caps = false;
    bool num = false;
    bool scroll = false;

    // Read from X11's keyboard extension; nullopt on any other display system.
    static std::optional<KeyboardLocks> Read();
};
