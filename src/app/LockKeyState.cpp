#include "app/LockKeyState.h"

#include <QGuiApplication>

#if QT_CONFIG(xcb)
#include <X11/XKBlib.h>
#endif

LockKeyState LockKeyState::Query() {
    LockKeyState state;
#if QT_CONFIG(xcb)
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (display == nullptr) {
        return state;
    }
    // By indicator name rather than bit number: keyboard maps number them differently.
    auto named = [display](const char* name) {
        Atom atom = XInternAtom(display, name, True);
        Bool on = False;
        return atom != None &&
               XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr) && on;
    };
    state.capsLock = named("Caps Lock");
    state.numLock = named("Num Lock");
    state.scrollLock = named("Scroll Lock");
#endif
    return state;
}
