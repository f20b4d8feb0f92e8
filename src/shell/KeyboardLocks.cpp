#include "KeyboardLocks.h"

#include <QGuiApplication>

// X11's headers define macros (None, Bool, Status) that clash with Qt's: they come last.
#include <X11/XKBlib.h>

namespace {

bool IndicatorOn(Display* display, const char* name) {
    const Atom atom = XInternAtom(display, name, True);
    if (atom == 0) {
        return false;
    }
    int state = 0;
    return XkbGetNamedIndicator(display, atom, nullptr, &state, nullptr, nullptr) && state != 0;
}

}  // namespace

std::optional<KeyboardLocks> KeyboardLocks::Read() {
    const auto* x11 = qGuiApp != nullptr
                          ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                          : nullptr;
    if (x11 == nullptr || x11->display() == nullptr) {
        return std::nullopt;
    }
    Display* display = x11->display();
    KeyboardLocks locks;
    locks.caps = IndicatorOn(display, "Caps Lock");
    locks.num = IndicatorOn(display, "Num Lock");
    locks.scroll = IndicatorOn(display, "Scroll Lock");
    return locks;
}
