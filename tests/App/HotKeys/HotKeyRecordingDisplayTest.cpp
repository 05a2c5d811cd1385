// The hot-key recorder of the settings against real X key grabs: the program's own hot keys and another
// program's. The keys come from another X client (XTest), as the user's keyboard's would.
#include "App/HotKeys/HotKeyManager.h"
#include "App/MainWindow/Pages/HotKeysSection.h"
#include "App/MainWindow/Widgets/KeyRecorderField.h"
#include "core/SharedConfig/SettingsService.h"
#include "platform/x11/X11GlobalHotKeys.h"
#include "platform/x11/XkbKeyboardLayout.h"
#include "tests/App/MainWindow/SettingsFileFixture.h"
#include "tests/platform/x11/X11FakeInput.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>
// After Qt: Xlib's macros clash with its names.
#include <X11/Xlib.h>
#include <X11/keysym.h>

using namespace ondravell;
using namespace ondravell::test;

namespace {

int argc = 1;
char name[] = "test";
char* argv[] = {name, nullptr};

class HotKeyRecordingDisplayTest : public SettingsFileTest {
protected:
    static void SetUpTestSuite() {
        if (!qApp)
            new QApplication(argc, argv);
    }
};

} // namespace

TEST_F(HotKeyRecordingDisplayTest, ACombinationInUseIsRecordedAndOneAnotherProgramHoldsIsMarked) {
    X11FakeInput keyboard;
    Display* otherProgram = XOpenDisplay(nullptr);
    if (!keyboard.ok() || !otherProgram)
        GTEST_SKIP() << "no X server";
    // Copy path on Control+Alt+K; another program holds Control+Alt+J.
    writeSettings(
        R"({"globalHotKeys": {"copy.path": {"keyCode": 40, "carbonModifiers": 6144, "display": "⌃⌥K"}}})");
    XGrabKey(otherProgram, XKeysymToKeycode(otherProgram, XK_j), ControlMask | Mod1Mask,
             DefaultRootWindow(otherProgram), True, GrabModeAsync, GrabModeAsync);
    XSync(otherProgram, False);
    platform::X11GlobalHotKeys grabs;
    int actionsRun = 0;
    HotKeyManager::Services services;
    services.hotKeys = &grabs;
    services.loadSettings = [] { return SettingsService().load(); };
    services.fileManagerSelection = [&](HotKeyManager::PathsHandler) { ++actionsRun; };
    HotKeyManager::setUpShared(std::move(services));
    HotKeyManager::shared().reload();
    ASSERT_EQ(HotKeyManager::shared().registeredActions().size(), 1u);

    platform::XkbKeyboardLayout layout;
    auto* section = new HotKeysSection(&layout, [] { HotKeyManager::shared().reload(); });
    QWidget window;
    (new QVBoxLayout(&window))->addWidget(section);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    keyboard.focusWindow(window.winId());

    // The copy-path combination, recorded for copy file: the recorder gets it, copy path does not run.
    KeyRecorderField* copyFile = section->recorder("copy.file");
    QTest::mouseClick(copyFile->button(), Qt::LeftButton);
    keyboard.pressKeys({"Control_L", "Alt_L", "k"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return !copyFile->isRecording(); }));
    EXPECT_EQ(stored().globalHotKeys["copy.file"].display, "⌃⌥K");
    EXPECT_FALSE(copyFile->note()->isVisible()) << "a combination of the program's own is no other program's";

    // The other program's combination, recorded for new file: stored, and marked as taken.
    KeyRecorderField* newFile = section->recorder("new.file");
    QTest::mouseClick(newFile->button(), Qt::LeftButton);
    keyboard.pressKeys({"Control_L", "Alt_L", "j"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return !newFile->isRecording(); }));
    EXPECT_EQ(stored().globalHotKeys["new.file"].display, "⌃⌥J");
    EXPECT_TRUE(newFile->note()->isVisible());

    // Recording over, the program's hot keys work again.
    EXPECT_EQ(actionsRun, 0);
    keyboard.pressKeys({"Control_L", "Alt_L", "k"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return actionsRun == 1; }));
    XCloseDisplay(otherProgram);
}
