#pragma once

#include <string>
#include <vector>

typedef struct _XDisplay Display;

namespace ondravell::test {

// Input from another X client: XTest presses and motion on a connection of its own to $DISPLAY.
class X11FakeInput {
public:
    X11FakeInput();
    ~X11FakeInput();
    X11FakeInput(const X11FakeInput&) = delete;
    X11FakeInput& operator=(const X11FakeInput&) = delete;

    bool ok() const { return display_ != nullptr; }
    void moveTo(int x, int y);
    void click(unsigned button);
    void press(unsigned button);
    void release(unsigned button);
    // A press at `from`, a movement in steps, and the release at `to`.
    void drag(int fromX, int fromY, int toX, int toY);
    // Presses the keys named (X keysym names) in order, then releases them in reverse order.
    void pressKeys(const std::vector<std::string>& keysyms);
    // Names `window` the active one on the root window and gives it the keyboard, as a window manager
    // would (0: none, the keyboard follows the pointer).
    void setActiveWindow(unsigned long window);
    // Gives `window` the keyboard focus.
    void focusWindow(unsigned long window);

private:
    Display* display_;
};

} // namespace ondravell::test
