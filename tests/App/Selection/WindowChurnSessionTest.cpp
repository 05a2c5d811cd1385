// The real program with the selection toolbar on, in an X session without a window manager, while
// 200 GTK 3 windows come and go around it (tests/wayland/WindowChurn.h); this process hands the focus
// out as a window manager would, now and then back to an older window first.
#include "tests/platform/x11/X11FakeInput.h"
#include "tests/platform/x11/X11Windows.h"
#include "tests/wayland/SessionClients.h"
#include "tests/wayland/WindowChurn.h"

#include <gtest/gtest.h>
#include <thread>
// After GoogleTest: Xlib's macros clash with its names.
#include <X11/Xlib.h>

namespace fs = std::filesystem;
using namespace ondravell::test;

TEST(WindowChurnSession, TheProgramLivesThrough200WindowsAndStillShowsTheBarForTheLastSelection) {
    // A window may go between being found and being given the focus: the error that brings is no fault.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    X11FakeInput input;
    ASSERT_TRUE(input.ok());
    std::string pattern = (fs::temp_directory_path() / "ondravell-churn-XXXXXX").string();
    const fs::path root = ::mkdtemp(pattern.data());
    ::setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    std::unique_ptr<SessionClient> program = startWithCopyBar(ONDRAVELL_APP, root);
    ASSERT_TRUE(program) << "the program never took its bus name";
    // The program arms the monitors once it has started.
    std::this_thread::sleep_for(std::chrono::seconds(2));

    WindowChurn churn;
    churn.client = GTK_TEXT_FIELD_CLIENT;
    churn.folder = root;
    churn.programRunning = [&program] { return program->running(); };
    churn.focus = [&input](pid_t pid, int index) {
        std::optional<unsigned long> newest;
        std::vector<unsigned long> older;
        eventually([&] {
            older.clear();
            for (const auto& window : X11Windows::all())
                if (window.viewable && window.name == "gtk-text-field-client")
                    (window.pid == pid ? void(newest = window.id) : older.push_back(window.id));
            return newest.has_value();
        });
        if (index % 5 == 0 && !older.empty())
            input.setActiveWindow(older.front());
        if (newest)
            input.setActiveWindow(*newest);
    };
    // The newest window lies on top of the others, its field under the drag. The field starts with its
    // text selected, and a drag that starts on selected text would move it: a click behind the text
    // clears that first.
    churn.select = [&input] {
        input.moveTo(500, 330);
        input.click(1);
        input.drag(51, 330, 500, 331);
    };
    churn.click = [&input](int x, int y) {
        input.moveTo(x, y);
        input.click(1);
    };
    EXPECT_EQ(runWindowChurn(churn), "");
    EXPECT_TRUE(program->running());
    EXPECT_TRUE(programAnswers());
    std::error_code error;
    fs::remove_all(root, error);
}
