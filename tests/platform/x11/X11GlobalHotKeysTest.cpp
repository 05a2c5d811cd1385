#include "platform/x11/X11GlobalHotKeys.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdlib>
#include <gtest/gtest.h>
// After GoogleTest, whose names Xlib's macros would replace.
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <string>
#include <vector>

using ondravell::platform::GlobalHotKeys;
using ondravell::platform::X11GlobalHotKeys;

namespace {

constexpr std::uint32_t keyC = 0x08, keyS = 0x01, keyK = 0x28;
constexpr std::uint32_t commandShift = GlobalHotKeys::commandModifier | GlobalHotKeys::shiftModifier;

void runUntil(const std::vector<std::uint32_t>& seen, std::size_t count) {
    QElapsedTimer timer;
    timer.start();
    while (seen.size() < count && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

// Types keys as a person would, through another client.
void type(const std::string& keys) {
    ASSERT_EQ(std::system(("xdotool key --clearmodifiers " + keys).c_str()), 0) << keys;
}

class X11GlobalHotKeysTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "X11GlobalHotKeysTest";
        static char* argv[] = {name, nullptr};
        app_ = new QCoreApplication(argc, argv);
        // Another client, kept for the suite: an X server without clients resets itself.
        other_ = XOpenDisplay(nullptr);
    }
    static inline QCoreApplication* app_ = nullptr;
    static inline Display* other_ = nullptr;
};

} // namespace

TEST_F(X11GlobalHotKeysTest, PressesReachTheHandlerWhateverTheLocks) {
    X11GlobalHotKeys hotKeys;
    std::vector<std::uint32_t> seen;
    hotKeys.setHandler([&seen](std::uint32_t id) { seen.push_back(id); });
    ASSERT_TRUE(hotKeys.registerHotKey(keyC, commandShift, 7));
    ASSERT_TRUE(
        hotKeys.registerHotKey(keyK, GlobalHotKeys::controlModifier | GlobalHotKeys::optionModifier, 8));

    type("super+shift+c");
    runUntil(seen, 1);
    type("Caps_Lock super+shift+c Caps_Lock");
    runUntil(seen, 2);
    type("Num_Lock ctrl+alt+k Num_Lock");
    runUntil(seen, 3);
    type("super+c shift+c super+shift+c"); // only the whole combination counts
    runUntil(seen, 4);
    EXPECT_EQ(seen, (std::vector<std::uint32_t>{7, 7, 8, 7}));
}

TEST_F(X11GlobalHotKeysTest, CombinationHeldByAnotherClientOrAlreadyRegisteredIsRefused) {
    ASSERT_TRUE(other_);
    KeyCode s = XKeysymToKeycode(other_, XK_s);
    XGrabKey(other_, s, Mod4Mask | ShiftMask, DefaultRootWindow(other_), True, GrabModeAsync, GrabModeAsync);
    XSync(other_, False);

    X11GlobalHotKeys hotKeys;
    EXPECT_FALSE(hotKeys.registerHotKey(keyS, commandShift, 1));
    auto first = hotKeys.registerHotKey(keyC, commandShift, 2);
    EXPECT_TRUE(first);
    EXPECT_FALSE(hotKeys.registerHotKey(keyC, commandShift, 3));
    EXPECT_FALSE(hotKeys.registerHotKey(0x3B, 0, 4)); // the control key itself has no entry
    hotKeys.unregisterHotKey(*first);
    EXPECT_TRUE(hotKeys.registerHotKey(keyC, commandShift, 5));

    XUngrabKey(other_, s, Mod4Mask | ShiftMask, DefaultRootWindow(other_));
    XSync(other_, False);
    EXPECT_TRUE(hotKeys.registerHotKey(keyS, commandShift, 6));
}
