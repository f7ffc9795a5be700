#include "lock_keys.h"

#include <QGuiApplication>

#if QT_CONFIG(xcb)
#include <QtGui/qguiapplication_platform.h>
// Xlib's macros (None, Bool, Status, ...) clash with Qt's names, so it comes last.
#include <X11/XKBlib.h>
#endif

namespace platform {
namespace {

#if QT_CONFIG(xcb)

// Which of the keyboard's indicators (LEDs) stands for each lock key. Indicators are found by
// name because their numbering depends on the keyboard map; an index of -1 means the map
// has no such indicator.
struct IndicatorIndices {
    Display* display = nullptr;
    int capsLock = -1;
    int numLock = -1;
    int scrollLock = -1;
};

int IndicatorIndex(Display* display, const char* name) {
    const Atom atom = XInternAtom(display, name, /*only_if_exists=*/False);
    int index = -1;
    if (atom == 0 || !XkbGetNamedIndicator(display, atom, &index, nullptr, nullptr, nullptr)) {
        return -1;
    }
    return index;
}

const IndicatorIndices& IndicesFor(Display* display) {
    // Looked up once per connection: three round trips to the X server that a status bar
    // polling several times a second need not repeat.
    static IndicatorIndices cached;
    if (cached.display != display) {
        cached.display = display;
        cached.capsLock = IndicatorIndex(display, "Caps Lock");
        cached.numLock = IndicatorIndex(display, "Num Lock");
        cached.scrollLock = IndicatorIndex(display, "Scroll Lock");
    }
    return cached;
}

bool IsLit(unsigned int state, int index) {
    return index >= 0 && index < 32 && (state & (1u << index)) != 0;
}

LockKeyState ReadX11LockKeys(Display* display) {
    const IndicatorIndices& indices = IndicesFor(display);
    unsigned int state = 0;
    if (XkbGetIndicatorState(display, XkbUseCoreKbd, &state) != Success) {
        return {};
    }
    return {true, IsLit(state, indices.capsLock), IsLit(state, indices.numLock),
            IsLit(state, indices.scrollLock)};
}

#endif

}  // namespace

LockKeyState CurrentLockKeys() {
#if QT_CONFIG(xcb)
    if (auto* x11 =
            qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr) {
        if (Display* display = x11->display()) {
            return ReadX11LockKeys(display);
        }
    }
#endif
    return {};
}

}  // namespace platform
