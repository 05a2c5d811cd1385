// Password fields of native Wayland GTK 3 and GTK 4 windows in a headless GNOME Wayland session, with
// the real program's toolbar on: selected with the keyboard again and again, they never bring the bar,
// and nothing of them reaches the clipboard or the program's log.
#include "tests/platform/x11/X11Windows.h"
#include "tests/wayland/MutterRemoteInput.h"
#include "tests/wayland/PasswordFieldRuns.h"
#include "tests/wayland/SessionClients.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace fs = std::filesystem;
using namespace ondravell::test;

TEST(WaylandPasswordField, Gtk3AndGtk4PasswordFieldsShowNoBarInFiftyRunsEach) {
    MutterRemoteInput input;
    ASSERT_TRUE(input.ok()) << input.error();
    const fs::path root = std::getenv("ONDRAVELL_SESSION_ROOT");
    const fs::path log = root / "program.log";
    std::unique_ptr<SessionClient> started = startLogged(ONDRAVELL_APP, root, R"(["copyText"])", log);
    ASSERT_TRUE(started) << "the program never took its bus name";
    SessionClient& program = *started;
    // A first start greets the user with a window of its own: it is no answer to a selection.
    eventually(
        [&program] {
            for (const auto& window : X11Windows::all())
                if (window.viewable && window.pid == program.pid())
                    return true;
            return false;
        },
        std::chrono::seconds(5));

    const std::string secret = "secret words";
    struct Case {
        const char* name;
        const char* client;
        const char* kind;
        int runs;
    };
    // GTK 4's password entry, and its entry with the visibility off, which the bus calls plain text.
    const Case cases[] = {{"GTK 3", GTK_TEXT_FIELD_CLIENT, "password", 50},
                          {"GTK 4 password entry", GTK4_TEXT_FIELD_CLIENT, "password", 25},
                          {"GTK 4 hidden entry", GTK4_TEXT_FIELD_CLIENT, "hidden", 25}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PasswordFieldRuns runs;
        runs.client = c.client;
        runs.arguments = {secret, "", c.kind};
        runs.environment = {"GDK_BACKEND=wayland"};
        runs.runs = c.runs;
        runs.program = program.pid();
        // Past the settle time, the read and the longest wait for the focus.
        runs.absenceWait = std::chrono::milliseconds(1700);
        // A new window gets the keyboard; the selection is tried again until it reached PRIMARY.
        runs.focus = [](pid_t) { return true; };
        runs.select = [&input] { input.selectLineByKeys(); };
        EXPECT_EQ(runPasswordFields(runs), "");
    }
    EXPECT_TRUE(program.running());
    std::ifstream file(log, std::ios::binary);
    const std::string written{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    EXPECT_EQ(written.find(secret), std::string::npos) << "the program's log holds the secret";
    EXPECT_EQ(written.find("\u25CF\u25CF"), std::string::npos) << "the program's log holds the bullets";
}
