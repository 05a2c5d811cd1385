// The program's accessibility helper killed again and again in a headless GNOME Wayland session without
// the Shell extension, where only the accessibility bus names a Wayland window's application and tells
// that a selection shown from it was cleared. Each time a new helper takes its place; while it starts
// the rules that need it hold: a selection in an excluded application made as the helper is killed
// brings no bar, a password field never does; once it runs, a selection in another window shows the bar
// and a click into that window hides it. No helper is left a zombie.
#include "tests/platform/x11/X11Windows.h"
#include "tests/wayland/MutterRemoteInput.h"
#include "tests/wayland/PasswordFieldRuns.h"
#include "tests/wayland/SessionClients.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <thread>

namespace fs = std::filesystem;
using namespace ondravell::test;

namespace {

// The application the user excluded: the GTK 4 client, by the name it gives itself on the bus.
const std::string excludedApplication = "ondravell-gtk4-text-field-client";
// How long a bar that should not come is waited for: past the settle time, the read and the longest
// wait for the focus.
constexpr auto absenceWait = std::chrono::milliseconds(1700);
// Kills this far apart stay within the restarts that follow at once (five a minute).
constexpr auto killSpacing = std::chrono::seconds(13);

// The bar is one row of buttons high (the result panel, of the same name, is taller).
bool barShown() {
    for (const auto& window : X11Windows::all())
        if (window.viewable && window.name == "Ondravell" && window.height <= 60)
            return true;
    return false;
}

// Selects the focused field's line with the keys until PRIMARY holds `selected`; a window just mapped
// may not have the keyboard yet.
bool selectLine(MutterRemoteInput& input, const std::function<bool(const std::string&)>& selected) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        input.selectLineByKeys();
        if (eventually([&] { return selected(x11PrimaryText().value_or("")); }, std::chrono::seconds(1)))
            return true;
    }
    return false;
}

} // namespace

TEST(WaylandHelperRestart, TheHelperKilledTenTimesIsReplacedAndItsRulesHoldThroughout) {
    MutterRemoteInput input;
    ASSERT_TRUE(input.ok()) << input.error();
    const fs::path root = std::getenv("ONDRAVELL_SESSION_ROOT");
    const fs::path log = root / "program.log";
    // No first-run window: it would take the keyboard from the fields.
    fs::create_directories(fs::path(std::getenv("XDG_CONFIG_HOME")) / "ondravell");
    std::ofstream(fs::path(std::getenv("XDG_CONFIG_HOME")) / "ondravell/ondravell.ini")
        << "[General]\nhasCompletedOnboarding=true\n";
    std::unique_ptr<SessionClient> started = startLogged(ONDRAVELL_APP, root, R"(["copyText"])", log);
    ASSERT_TRUE(started) << "the program never took its bus name";
    const pid_t program = started->pid();
    // Read afresh at every selection.
    std::ofstream(root / "container/Library/Application Support/settings.v1.json")
        << R"({"selectionEnabled": true, "selectionTriggerAuto": true, "selectionActionIDs": ["copyText"],
               "selectionAppBlacklist": [")"
        << excludedApplication << R"("]})";
    ASSERT_TRUE(eventually([program] { return accessibilityHelperOf(program).has_value(); }))
        << "no helper started";

    // Round 0 kills nothing: the rules as they hold with a helper running.
    auto lastKill = std::chrono::steady_clock::now() - killSpacing;
    for (int round = 0; round <= 10; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const std::optional<pid_t> helper = accessibilityHelperOf(program);
        ASSERT_TRUE(helper.has_value()) << "no helper runs";

        {
            std::this_thread::sleep_until(lastKill + killSpacing);
            const std::string text = "words in an excluded window";
            SessionClient excluded(GTK4_TEXT_FIELD_CLIENT, {text, ""}, {"GDK_BACKEND=wayland"});
            ASSERT_TRUE(selectLine(input, [&](const std::string& now) { return now == text; }))
                << "PRIMARY: " << x11PrimaryText().value_or("(none)");
            // Killed while the selection settles: it is read while the helper is away or just back.
            if (round > 0) {
                lastKill = std::chrono::steady_clock::now();
                ::kill(*helper, SIGKILL);
                ASSERT_TRUE(eventually([&] {
                    const std::optional<pid_t> now = accessibilityHelperOf(program);
                    return now && now != helper;
                })) << "no new helper";
                const auto restarted = std::chrono::duration_cast<std::chrono::milliseconds>(
                    std::chrono::steady_clock::now() - lastKill);
                std::printf("[ figure ] round %d: a new helper ran %lld ms after the kill\n", round,
                            static_cast<long long>(restarted.count()));
            }
            std::this_thread::sleep_for(absenceWait);
            EXPECT_FALSE(barShown()) << "the bar showed over the excluded application";
        }

        PasswordFieldRuns password;
        password.client = GTK_TEXT_FIELD_CLIENT;
        password.arguments = {"secret words", "", "password"};
        password.environment = {"GDK_BACKEND=wayland"};
        password.runs = 1;
        password.program = program;
        password.absenceWait = absenceWait;
        password.focus = [](pid_t) { return true; };
        password.select = [&input] { input.selectLineByKeys(); };
        EXPECT_EQ(runPasswordFields(password), "");

        {
            // The field fills a maximised window, so that the click lands in it.
            const std::string text = "words in round " + std::to_string(round);
            SessionClient allowed(GTK_TEXT_FIELD_CLIENT, {text, "", "maximized"}, {"GDK_BACKEND=wayland"});
            input.moveTo(640, 400);
            ASSERT_TRUE(selectLine(input, [&](const std::string& now) { return now == text; }))
                << "PRIMARY: " << x11PrimaryText().value_or("(none)");
            ASSERT_TRUE(eventually(barShown)) << "no bar over an application that is not excluded";
            input.click(640, 400);
            EXPECT_TRUE(eventually([] { return !barShown(); })) << "a click into the field left the bar";
        }
        EXPECT_FALSE(hasZombieChildren(program)) << "a helper was left a zombie";
    }
    EXPECT_TRUE(started->running());
    std::ifstream file(log, std::ios::binary);
    const std::string written{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    std::size_t restarts = 0;
    for (std::size_t at = written.find("starting it again"); at != std::string::npos;
         at = written.find("starting it again", at + 1))
        ++restarts;
    EXPECT_EQ(restarts, 10u) << "one line per restart; the log:\n" << written;
}
