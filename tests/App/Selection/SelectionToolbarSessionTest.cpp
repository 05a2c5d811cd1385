// The selection toolbar of the real program, with a text field in another X client: drags, clicks and
// the active window are made from this process, the bar is looked for from outside.
#include "tests/platform/x11/X11FakeInput.h"
#include "tests/platform/x11/X11Windows.h"
#include "tests/wayland/PasswordFieldRuns.h"
#include "tests/wayland/SessionClients.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <optional>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using ondravell::test::X11Windows;

namespace {

// Readiness bound for programs starting under Xvfb; not a speed requirement.
constexpr auto settleLimit = std::chrono::seconds(20);
// How long a bar that should not come is waited for: many times the read delay.
constexpr auto absenceWait = std::chrono::milliseconds(700);
const std::string barName = "Ondravell";

bool eventually(const std::function<bool()>& condition) {
    auto deadline = std::chrono::steady_clock::now() + settleLimit;
    while (std::chrono::steady_clock::now() < deadline) {
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
    }
    return condition();
}

bool barShown() {
    return X11Windows::viewableNamed(barName).has_value();
}

// The bar and the result panel carry the same name; the bar is one row of buttons high.
std::optional<X11Windows::Window> shownOurs(bool panel) {
    for (const auto& window : X11Windows::all())
        if (window.viewable && window.name == barName && (window.height > 60) == panel)
            return window;
    return std::nullopt;
}

std::string fileText(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

pid_t launch(const char* program, std::vector<std::string> arguments) {
    pid_t pid = ::fork();
    if (pid == 0) {
        std::vector<char*> argv{const_cast<char*>(program)};
        for (auto& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        ::execv(program, argv.data());
        ::_exit(127);
    }
    return pid;
}

// Another program ended with the test however the test ends, so none outlives it.
struct ScopedClient {
    pid_t pid;
    ~ScopedClient() {
        ::kill(pid, SIGTERM);
        ::waitpid(pid, nullptr, 0);
    }
};

class SelectionToolbarSessionTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::string pattern = (fs::temp_directory_path() / "ondravell-toolbar-XXXXXX").string();
        root_ = ::mkdtemp(pattern.data());
        ::setenv("ONDRAVELL_CONTAINER", (root_ / "container").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
        writeSettings("[]");
        input_ = new ondravell::test::X11FakeInput;
        client_ = launch(TEXT_FIELD_CLIENT, {"hello world selection test"});
        passwordClient_ = launch(TEXT_FIELD_CLIENT, {"secret words in here", "password"});
        app_ = launchProgram();
        ASSERT_TRUE(eventually([] {
            return X11Windows::viewableNamed("text-field-client") &&
                   X11Windows::viewableNamed("password-field-client");
        }));
        // The program arms the monitors at launch; give it the time to get there.
        std::this_thread::sleep_for(std::chrono::seconds(2));
    }
    static void TearDownTestSuite() {
        for (pid_t pid : {app_, client_, passwordClient_})
            if (pid > 0) {
                ::kill(pid, SIGTERM);
                ::waitpid(pid, nullptr, 0);
            }
        delete input_;
        std::error_code error;
        fs::remove_all(root_, error);
    }

    static void writeSettings(const std::string& blacklist, bool automatic = true,
                              const std::string& actions = R"(["copyText", "translate"])") {
        fs::path folder = root_ / "container" / "Library" / "Application Support";
        fs::create_directories(folder);
        // The hot key Ctrl+Shift+S: Carbon key code 1, control and shift.
        std::ofstream(folder / "settings.v1.json")
            << R"({"selectionEnabled": true, "selectionTriggerAuto": )" << (automatic ? "true" : "false")
            << R"(, "selectionActionIDs": )" << actions << R"(, "selectionAppBlacklist": )" << blacklist
            << R"(, "selectionHotKey": {"keyCode": 1, "carbonModifiers": 4608, "display": "S"}})";
    }
    // Starts the program again, which arms the toolbar and registers its hot key as the settings say.
    static void relaunch() {
        ::kill(app_, SIGTERM);
        ::waitpid(app_, nullptr, 0);
        app_ = launchProgram();
        std::this_thread::sleep_for(std::chrono::seconds(2));
    }
    // The program, all it writes going to `log()`.
    static pid_t launchProgram() {
        return launch("/bin/sh", {"-c", "exec \"$0\" >>\"$1\" 2>&1", ONDRAVELL_APP, log().string()});
    }
    static fs::path log() { return root_ / "program.log"; }
    // Gives the GTK client's window the keyboard (the window manager's part) and drags over its words.
    // The field starts with its text selected; a click behind the text clears that first, since a drag
    // that starts on selected text would move it instead of selecting.
    static bool dragOverTheGtkField() {
        if (!eventually([] { return X11Windows::viewableNamed("gtk-text-field-client").has_value(); }))
            return false;
        input_->setActiveWindow(X11Windows::viewableNamed("gtk-text-field-client")->id);
        input_->moveTo(300, 330);
        input_->click(1);
        if (!eventually([] { return !barShown(); }))
            return false;
        std::this_thread::sleep_for(absenceWait);
        input_->drag(51, 330, 250, 331);
        return true;
    }
    // Drags over the words of the text field.
    static void selectInTheField() { input_->drag(70, 230, 330, 232); }
    // Runs of a password field of `client` (run with `arguments`), given the keyboard and selected with
    // a drag as the user would.
    static ondravell::test::PasswordFieldRuns
    passwordFieldRuns(const char* client, std::vector<std::string> arguments, int count) {
        ondravell::test::PasswordFieldRuns runs;
        runs.client = client;
        runs.arguments = std::move(arguments);
        runs.runs = count;
        runs.program = app_;
        // Past the read delay and the longest wait for the focus.
        runs.absenceWait = std::chrono::milliseconds(1300);
        static std::optional<X11Windows::Window> window;
        runs.focus = [](pid_t pid) {
            window.reset();
            eventually([pid] {
                for (const auto& shown : X11Windows::all())
                    if (shown.viewable && shown.pid == pid && shown.width > 100)
                        window = shown;
                return window.has_value();
            });
            if (window)
                input_->setActiveWindow(window->id);
            return window.has_value();
        };
        // A click behind the text first: a drag that starts on selected text would move it.
        runs.select = [] {
            const int y = window->y + window->height / 2;
            input_->moveTo(window->x + window->width - 20, y);
            input_->click(1);
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            input_->drag(window->x + 11, y, window->x + window->width / 2, y + 1);
        };
        return runs;
    }

    static inline fs::path root_;
    static inline pid_t app_ = -1, client_ = -1, passwordClient_ = -1;
    static inline ondravell::test::X11FakeInput* input_ = nullptr;
};

} // namespace

TEST_F(SelectionToolbarSessionTest,
       DragShowsTheBarClickHidesItStalePasswordAndExcludedSelectionsShowNothing) {
    ASSERT_TRUE(input_->ok());
    selectInTheField();
    ASSERT_TRUE(eventually(barShown)) << "no bar after a drag over the text";
    auto bar = *X11Windows::viewableNamed(barName);
    // Above the release point, with two buttons.
    EXPECT_LE(bar.y + bar.height, 232 - 18 + 1);
    EXPECT_LT(bar.width, 200);

    input_->moveTo(900, 600);
    input_->click(1);
    EXPECT_TRUE(eventually([] { return !barShown(); })) << "a plain click elsewhere left the bar";

    // A password field publishes no selection, and nothing else reads it.
    input_->drag(70, 430, 330, 432);
    std::this_thread::sleep_for(absenceWait);
    EXPECT_FALSE(barShown()) << "a password field's selection was shown";
    input_->moveTo(900, 600);
    input_->click(1);

    // A drag over nothing selects nothing: the text field's selection is old news.
    input_->drag(900, 600, 1000, 620);
    std::this_thread::sleep_for(absenceWait);
    EXPECT_FALSE(barShown()) << "a stale selection was shown";

    // The field's application, active and excluded.
    writeSettings(R"(["ondravell-text-field-client"])");
    input_->setActiveWindow(X11Windows::viewableNamed("text-field-client")->id);
    selectInTheField();
    std::this_thread::sleep_for(absenceWait);
    EXPECT_FALSE(barShown()) << "the bar showed over an excluded application";
    input_->setActiveWindow(0);

    writeSettings("[]");
    selectInTheField();
    EXPECT_TRUE(eventually(barShown)) << "no bar once the application is allowed again";
}

TEST_F(SelectionToolbarSessionTest,
       ReplaceWritesTheFormattedJSONIntoAGtkFieldAndTheNextSelectionShowsTheBar) {
    ASSERT_TRUE(input_->ok());
    writeSettings("[]", true, R"(["jsonTool"])");
    const fs::path fieldText = root_ / "gtk-field.txt";
    ScopedClient gtkClient{launch(GTK_TEXT_FIELD_CLIENT, {R"({"a":1})", fieldText.string()})};
    ASSERT_TRUE(dragOverTheGtkField());
    ASSERT_TRUE(eventually([] { return shownOurs(false).has_value(); })) << "no bar over the GTK field";

    auto bar = *shownOurs(false);
    input_->moveTo(bar.x + bar.width / 2, bar.y + bar.height / 2);
    input_->click(1);
    ASSERT_TRUE(eventually([] { return shownOurs(true).has_value(); }))
        << "no JSON panel after a click on the bar at " << bar.x << "," << bar.y << " " << bar.width << "x"
        << bar.height;
    // The replace button sits beside the copy button in the panel's last row.
    auto panel = *shownOurs(true);
    input_->moveTo(panel.x + 140, panel.y + panel.height - 24);
    input_->click(1);
    const std::string formatted = "{\n  \"a\" : 1\n}";
    EXPECT_TRUE(eventually([&] { return fileText(fieldText) == formatted; }))
        << "the field holds: " << fileText(fieldText);
    // The click on the replace button is not a selection of its own.
    std::this_thread::sleep_for(absenceWait);
    EXPECT_FALSE(shownOurs(false).has_value()) << "a bar came back after the replace";

    input_->drag(51, 330, 120, 331);
    EXPECT_TRUE(eventually([] { return shownOurs(false).has_value(); }))
        << "no bar for the second selection in the same field";

    input_->setActiveWindow(0);
    writeSettings("[]");
}

// A hung application on the accessibility bus (stopped, as one that never answers) is no application
// the user works in: selections in other windows show the bar as before.
TEST_F(SelectionToolbarSessionTest, AHungApplicationOnTheAccessibilityBusDoesNotStopTheBarInOtherWindows) {
    ASSERT_TRUE(input_->ok());
    writeSettings("[]");
    ScopedClient gtkClient{launch(GTK_TEXT_FIELD_CLIENT, {"words of a hung application"})};
    // The program hears of the GTK field's focus before its application stops answering.
    ASSERT_TRUE(dragOverTheGtkField());
    ASSERT_TRUE(eventually(barShown)) << "no bar over the GTK field";
    struct Stopped {
        pid_t pid;
        ~Stopped() { ::kill(pid, SIGCONT); }
    } stopped{gtkClient.pid};
    ASSERT_EQ(::kill(gtkClient.pid, SIGSTOP), 0);

    input_->setActiveWindow(X11Windows::viewableNamed("text-field-client")->id);
    for (int selection = 0; selection < 3; ++selection) {
        SCOPED_TRACE(selection);
        input_->moveTo(900, 600);
        input_->click(1);
        ASSERT_TRUE(eventually([] { return !barShown(); }));
        selectInTheField();
        EXPECT_TRUE(eventually(barShown)) << "no bar in another window while an application hangs";
    }
    input_->setActiveWindow(0);
}

TEST_F(SelectionToolbarSessionTest, HotKeyShowsTheCopiedSelectionAtThePointerWithoutTheAutomaticTrigger) {
    ASSERT_TRUE(input_->ok());
    writeSettings("[]", false);
    relaunch();
    selectInTheField();
    std::this_thread::sleep_for(absenceWait);
    ASSERT_FALSE(barShown()) << "the automatic trigger is off";

    input_->moveTo(700, 500);
    input_->pressKeys({"Control_L", "Shift_L", "s"});
    ASSERT_TRUE(eventually(barShown)) << "no bar after the hot key";
    auto bar = *X11Windows::viewableNamed(barName);
    EXPECT_NEAR(bar.x + bar.width / 2, 700, 1);
    EXPECT_EQ(bar.y + bar.height, 500 - 18);
}

TEST_F(SelectionToolbarSessionTest, PasswordFieldsOfGtk3AndGtk4ShowNoBarInFiftyRunsEach) {
    ASSERT_TRUE(input_->ok());
    writeSettings("[]");
    const std::string secret = "secret words in here";
    struct Case {
        const char* name;
        const char* client;
        const char* kind;
    };
    // GTK 4's password entry, and its entry with the visibility off, which the bus calls plain text.
    const Case cases[] = {{"GTK 3", GTK_TEXT_FIELD_CLIENT, "password"},
                          {"GTK 4 password entry", GTK4_TEXT_FIELD_CLIENT, "password"},
                          {"GTK 4 hidden entry", GTK4_TEXT_FIELD_CLIENT, "hidden"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ondravell::test::runPasswordFields(
                      passwordFieldRuns(c.client, {secret, "", c.kind},
                                        std::string_view(c.client) == GTK_TEXT_FIELD_CLIENT ? 50 : 25)),
                  "");
    }
    input_->setActiveWindow(0);
    const std::string written = fileText(log());
    EXPECT_EQ(written.find(secret), std::string::npos) << "the program's log holds the secret";
    EXPECT_EQ(written.find("\u25CF\u25CF"), std::string::npos) << "the program's log holds the bullets";
}

// The program's accessibility helper killed ten times, each time as a selection in an excluded
// application is being read: a new helper runs each time and none is left a zombie; the excluded
// application and a password field never show the bar, another application's selection does, and a
// click hides it.
TEST_F(SelectionToolbarSessionTest, TheHelperKilledTenTimesIsReplacedAndItsRulesHoldThroughout) {
    ASSERT_TRUE(input_->ok());
    writeSettings(R"(["ondravell-text-field-client"])");
    // Armed for the automatic trigger whatever ran before.
    relaunch();
    ScopedClient gtkClient{launch(GTK_TEXT_FIELD_CLIENT, {"words of an allowed window", ""})};
    // On screen before any password field comes: the two windows stand at one place, and one mapped
    // later would cover the password field and take its drags.
    ASSERT_TRUE(eventually([&gtkClient] {
        const auto windows = X11Windows::all();
        return std::any_of(windows.begin(), windows.end(), [&gtkClient](const X11Windows::Window& window) {
            return window.viewable && window.pid == gtkClient.pid && window.width > 100;
        });
    })) << "the allowed window never showed";
    const std::string logBefore = fileText(log());
    // Kills this far apart stay within the restarts that follow at once (five a minute).
    auto lastKill = std::chrono::steady_clock::now() - std::chrono::seconds(13);
    for (int round = 1; round <= 10; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        std::this_thread::sleep_until(lastKill + std::chrono::seconds(13));
        std::optional<pid_t> helper;
        ASSERT_TRUE(eventually([&] {
            return (helper = ondravell::test::accessibilityHelperOf(app_)).has_value();
        })) << "no helper runs";
        input_->setActiveWindow(X11Windows::viewableNamed("text-field-client")->id);
        selectInTheField();
        lastKill = std::chrono::steady_clock::now();
        ::kill(*helper, SIGKILL);
        ASSERT_TRUE(eventually([&] {
            const std::optional<pid_t> now = ondravell::test::accessibilityHelperOf(app_);
            return now && now != helper;
        })) << "no new helper";
        std::printf("[ figure ] round %d: a new helper ran %lld ms after the kill\n", round,
                    static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                               std::chrono::steady_clock::now() - lastKill)
                                               .count()));
        std::this_thread::sleep_for(absenceWait);
        EXPECT_FALSE(barShown()) << "the bar showed over the excluded application";

        EXPECT_EQ(ondravell::test::runPasswordFields(
                      passwordFieldRuns(GTK_TEXT_FIELD_CLIENT, {"secret words in here", "", "password"}, 1)),
                  "");

        ASSERT_TRUE(dragOverTheGtkField());
        EXPECT_TRUE(eventually([] { return shownOurs(false).has_value(); })) << "no bar over the GTK field";
        input_->moveTo(900, 600);
        input_->click(1);
        EXPECT_TRUE(eventually([] { return !barShown(); })) << "a plain click elsewhere left the bar";
        EXPECT_FALSE(ondravell::test::hasZombieChildren(app_)) << "a helper was left a zombie";
    }
    input_->setActiveWindow(0);
    writeSettings("[]");
    const std::string logged = fileText(log()).substr(logBefore.size());
    std::size_t restarts = 0;
    for (std::size_t at = logged.find("starting it again"); at != std::string::npos;
         at = logged.find("starting it again", at + 1))
        ++restarts;
    EXPECT_EQ(restarts, 10u) << "one line per restart; the log:\n" << logged;
}
