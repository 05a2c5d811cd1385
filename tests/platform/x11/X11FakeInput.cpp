#include "tests/platform/x11/X11FakeInput.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <chrono>
#include <thread>

namespace ondravell::test {

X11FakeInput::X11FakeInput() : display_(XOpenDisplay(nullptr)) {}

X11FakeInput::~X11FakeInput() {
    if (display_)
        XCloseDisplay(display_);
}

void X11FakeInput::moveTo(int x, int y) {
    XTestFakeMotionEvent(display_, -1, x, y, CurrentTime);
    XFlush(display_);
}

void X11FakeInput::click(unsigned button) {
    press(button);
    release(button);
}

void X11FakeInput::press(unsigned button) {
    XTestFakeButtonEvent(display_, button, True, CurrentTime);
    XFlush(display_);
}

void X11FakeInput::release(unsigned button) {
    XTestFakeButtonEvent(display_, button, False, CurrentTime);
    XFlush(display_);
}

void X11FakeInput::drag(int fromX, int fromY, int toX, int toY) {
    constexpr int steps = 8;
    moveTo(fromX, fromY);
    press(1);
    for (int i = 1; i <= steps; ++i) {
        // Programs follow a drag through motion events; give them time to see each one.
        std::this_thread::sleep_for(std::chrono::milliseconds(15));
        moveTo(fromX + (toX - fromX) * i / steps, fromY + (toY - fromY) * i / steps);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(15));
    release(1);
}

void X11FakeInput::pressKeys(const std::vector<std::string>& keysyms) {
    std::vector<KeyCode> codes;
    for (const std::string& name : keysyms)
        codes.push_back(XKeysymToKeycode(display_, XStringToKeysym(name.c_str())));
    for (KeyCode code : codes)
        XTestFakeKeyEvent(display_, code, True, CurrentTime);
    for (auto code = codes.rbegin(); code != codes.rend(); ++code)
        XTestFakeKeyEvent(display_, *code, False, CurrentTime);
    XFlush(display_);
}

void X11FakeInput::setActiveWindow(unsigned long window) {
    Atom active = XInternAtom(display_, "_NET_ACTIVE_WINDOW", False);
    if (window == 0) {
        XDeleteProperty(display_, DefaultRootWindow(display_), active);
        XSetInputFocus(display_, PointerRoot, RevertToPointerRoot, CurrentTime);
    } else {
        ::Window id = window;
        XChangeProperty(display_, DefaultRootWindow(display_), active, XA_WINDOW, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(&id), 1);
        XSetInputFocus(display_, id, RevertToPointerRoot, CurrentTime);
    }
    XFlush(display_);
}

void X11FakeInput::focusWindow(unsigned long window) {
    XSetInputFocus(display_, window, RevertToParent, CurrentTime);
    XFlush(display_);
}

} // namespace ondravell::test
