#pragma once

#include <initializer_list>
#include <string>

typedef struct _GDBusConnection GDBusConnection;

namespace ondravell::test {

// Keyboard and pointer input for a test inside the headless compositor, through mutter's own
// remote-desktop bus API on the session bus (no consent dialog there). Creating one also gives the
// headless seat its keyboard, without which no window ever gets the focus. The devices live as long as
// this object. Key codes are evdev codes (linux/input-event-codes.h).
class MutterRemoteInput {
public:
    MutterRemoteInput();
    ~MutterRemoteInput();
    MutterRemoteInput(const MutterRemoteInput&) = delete;
    MutterRemoteInput& operator=(const MutterRemoteInput&) = delete;

    // False when the session could not be started; `error()` says why.
    bool ok() const { return !session_.empty(); }
    const std::string& error() const { return error_; }

    void key(unsigned code, bool pressed);
    // Presses the keys in order and releases them in reverse, as a chord such as Ctrl+A.
    void chord(std::initializer_list<unsigned> codes);
    // Home, then Shift+End: selects the focused line of text from its start.
    void selectLineByKeys();
    // The pointer to a point of the virtual monitor: into the top-left corner, then relative from there.
    void moveTo(int x, int y);
    void button(bool pressed, int button = 0x110);
    void click(int x, int y);
    // One notch of the wheel, down, where the pointer is.
    void scroll();
    // Clicks an X11 window (the program's own, under XWayland): the press waits until the X server has
    // seen the pointer arrive, as a hand is never quicker than its pointer. The program tells a press
    // on its own windows from a press elsewhere by where the X server puts the pointer.
    void clickX11Window(int x, int y);
    // Presses at the first point, moves in small steps to the second and releases there.
    void drag(int fromX, int fromY, int toX, int toY);

private:
    void call(const char* method, const char* signature, ...);

    GDBusConnection* bus_ = nullptr;
    std::string session_;
    std::string error_;
    int x_ = 0, y_ = 0;
};

} // namespace ondravell::test
