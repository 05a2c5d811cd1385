#include "platform/x11/X11AccessibilityTrust.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xfixes.h>

namespace ondravell::platform {

namespace {

bool serverOffersGlobalInput() {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    int opcode = 0, event = 0, error = 0;
    bool trusted = false;
    if (XQueryExtension(display, "XInputExtension", &opcode, &event, &error)) {
        int major = 2, minor = 0;
        if (XIQueryVersion(display, &major, &minor) == Success && major >= 2) {
            int testEvent = 0, testError = 0, testMajor = 0, testMinor = 0;
            int fixesEvent = 0, fixesError = 0;
            trusted = XTestQueryExtension(display, &testEvent, &testError, &testMajor, &testMinor) &&
                      XFixesQueryExtension(display, &fixesEvent, &fixesError);
        }
    }
    XCloseDisplay(display);
    return trusted;
}

} // namespace

bool X11AccessibilityTrust::isProcessTrusted() {
    if (!answer_)
        answer_ = serverOffersGlobalInput();
    return *answer_;
}

} // namespace ondravell::platform
