#include "platform/x11/X11KeySynthesizer.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace ondravell::platform {

namespace {

KeySym letterFor(KeySynthesizer::Shortcut shortcut) {
    switch (shortcut) {
    case KeySynthesizer::Shortcut::copy:
        return XK_c;
    case KeySynthesizer::Shortcut::paste:
        return XK_v;
    }
    return NoSymbol;
}

bool isDown(const char keys[32], KeyCode code) {
    return (keys[code / 8] >> (code % 8)) & 1;
}

} // namespace

X11KeySynthesizer::~X11KeySynthesizer() {
    if (display_)
        XCloseDisplay(display_);
}

bool X11KeySynthesizer::connect() {
    if (display_ || refused_)
        return display_ != nullptr;
    Display* display = XOpenDisplay(nullptr);
    int event = 0, error = 0, major = 0, minor = 0;
    if (!display || !XTestQueryExtension(display, &event, &error, &major, &minor)) {
        if (display)
            XCloseDisplay(display);
        // Without XTest now, without it for the life of the server: do not ask at every send.
        refused_ = display != nullptr;
        return false;
    }
    display_ = display;
    return true;
}

void X11KeySynthesizer::releaseHeldModifiers() {
    char keys[32] = {};
    XQueryKeymap(display_, keys);
    XModifierKeymap* modifiers = XGetModifierMapping(display_);
    if (!modifiers)
        return;
    for (int i = 0; i < 8 * modifiers->max_keypermod; ++i) {
        KeyCode code = modifiers->modifiermap[i];
        if (code != 0 && isDown(keys, code))
            XTestFakeKeyEvent(display_, code, False, CurrentTime);
    }
    XFreeModifiermap(modifiers);
}

bool X11KeySynthesizer::keysHeld() {
    if (!connect())
        return false;
    char keys[32] = {};
    XQueryKeymap(display_, keys);
    for (char byte : keys)
        if (byte != 0)
            return true;
    return false;
}

bool X11KeySynthesizer::send(Shortcut shortcut) {
    if (!connect())
        return false;
    KeyCode control = XKeysymToKeycode(display_, XK_Control_L);
    KeyCode letter = XKeysymToKeycode(display_, letterFor(shortcut));
    if (control == 0 || letter == 0)
        return false;
    releaseHeldModifiers();
    XTestFakeKeyEvent(display_, control, True, CurrentTime);
    XTestFakeKeyEvent(display_, letter, True, CurrentTime);
    XTestFakeKeyEvent(display_, letter, False, CurrentTime);
    XTestFakeKeyEvent(display_, control, False, CurrentTime);
    XFlush(display_);
    return true;
}

} // namespace ondravell::platform
