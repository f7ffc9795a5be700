#pragma once
// The state of the keyboard's lock keys, for the status bar's CAP, NUM and SCRL panes.
//
// On X11 the state comes from the keyboard extension's indicators (the LEDs), so it is right
// even when the key was pressed while another window had the focus. Elsewhere (Wayland,
// offscreen) there is no portable way to ask, and every key reads as off.

namespace platform {

struct LockKeyState {
    bool known = false;  // false where the platform cannot tell; all keys then read as off
    bool capsLock = false;
    bool numLock = false;
    bool scrollLock = false;

    friend bool operator==(const LockKeyState&, const LockKeyState&) = default;
};

// The current state: one request to the X server, cheap enough to poll a few times a second.
// Needs a QGuiApplication.
LockKeyState CurrentLockKeys();

}  // namespace platform
