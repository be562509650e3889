#pragma once

// The state of the Caps Lock, Num Lock and Scroll Lock keys, read from the display
// server where it tells them (X11); elsewhere every lock reads as off.
class LockKeyState {
public:
    bool capsLock = false;
    bool numLock = false;
    bool scrollLock = false;

    static LockKeyState Query();
};
