// The real program with the selection toolbar on, in a headless GNOME Wayland session, while 200
// native Wayland GTK 3 windows come and go around it (WindowChurn.h); the compositor gives each new
// window the focus, and a window's going hands it to another.
#include "tests/wayland/MutterRemoteInput.h"
#include "tests/wayland/SessionClients.h"
#include "tests/wayland/WindowChurn.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace ondravell::test;

TEST(WaylandWindowChurn, TheProgramLivesThrough200WindowsAndStillShowsTheBarForTheLastSelection) {
    MutterRemoteInput input;
    ASSERT_TRUE(input.ok()) << input.error();
    const fs::path root = std::getenv("ONDRAVELL_SESSION_ROOT");
    std::unique_ptr<SessionClient> program = startWithCopyBar(ONDRAVELL_APP, root);
    ASSERT_TRUE(program) << "the program never took its bus name";

    ::setenv("GDK_BACKEND", "wayland", 1);
    WindowChurn churn;
    churn.client = GTK_TEXT_FIELD_CLIENT;
    churn.folder = root;
    churn.programRunning = [&program] { return program->running(); };
    churn.focus = [](pid_t, int) {};
    churn.select = [&input] { input.selectLineByKeys(); };
    churn.click = [&input](int x, int y) { input.clickX11Window(x, y); };
    EXPECT_EQ(runWindowChurn(churn), "");
    EXPECT_TRUE(program->running());
    EXPECT_TRUE(programAnswers());
}
