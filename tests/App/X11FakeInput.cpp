#include "tests/App/X11FakeInput.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

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
    XTestFakeButtonEvent(display_, button, True, CurrentTime);
    XTestFakeButtonEvent(display_, button, False, CurrentTime);
    XFlush(display_);
}

} // namespace ondravell::test
