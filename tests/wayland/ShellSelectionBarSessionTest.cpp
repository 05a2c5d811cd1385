// The selection toolbar in a headless GNOME Shell Wayland session with the program's Shell extension:
// over a native Wayland GTK window, whose selection nothing places on the screen, the bar stands at
// the pointer, which the extension reports; a click, a right click, a scroll or the window closing
// hides it, as the extension tells; the extension's keys copy from such a window; the toolbar's hot
// key shows the bar for a selection made with the keys, with the extension and without it.
#include "platform/glib/DBusSingleInstance.h"
#include "platform/glib/ShellExtensionBus.h"
#include "platform/glib/ShellKeySynthesizer.h"
#include "platform/memory/MemoryKeySynthesizer.h"
#include "tests/platform/x11/X11Windows.h"
#include "tests/wayland/MutterRemoteInput.h"
#include "tests/wayland/SessionClients.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gio/gio.h>
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>
#include <thread>

namespace fs = std::filesystem;
using namespace ondravell;
using namespace ondravell::test;

namespace {

// The bar is one row of buttons high (the result panel, of the same name, is taller).
std::optional<X11Windows::Window> shownBar() {
    for (const auto& window : X11Windows::all())
        if (window.viewable && window.name == "Ondravell" && window.height <= 60)
            return window;
    return std::nullopt;
}

// How far a point lies outside a window (0 inside it).
double distance(const X11Windows::Window& window, int x, int y) {
    const double dx = std::max({window.x - x, 0, x - (window.x + window.width)});
    const double dy = std::max({window.y - y, 0, y - (window.y + window.height)});
    return std::hypot(dx, dy);
}

void writeSettings(const fs::path& root, const std::string& settings) {
    fs::create_directories(root / "container/Library/Application Support");
    std::ofstream(root / "container/Library/Application Support/settings.v1.json") << settings;
}

// Selects the focused field's line with the keys until PRIMARY holds `text`. The Shell starts in its
// overview, which Esc leaves; early rounds may come before the window has the keyboard.
bool selectLine(MutterRemoteInput& input, const std::string& text) {
    return eventually([&] {
        input.chord({KEY_ESC});
        input.selectLineByKeys();
        return eventually([&] { return x11PrimaryText() == text; }, std::chrono::seconds(1));
    });
}

bool programOwnsItsName() {
    return eventually([] { return nameHasOwner(platform::DBusSingleInstance::busName); });
}

// Settings for the program started next: Ctrl+Alt+C, and no bar of its own after a selection, so that
// only the hot key shows it; no first-run window, which would take the keyboard from the field.
void showTheBarByTheHotKeyOnly() {
    const fs::path root = std::getenv("ONDRAVELL_SESSION_ROOT");
    ::setenv("ONDRAVELL_CONTAINER", (root / "container").c_str(), 1);
    writeSettings(root, R"({"selectionEnabled": true, "selectionTriggerAuto": false,
        "selectionActionIDs": ["copyText"],
        "selectionHotKey": {"keyCode": 8, "carbonModifiers": 6144, "display": "⌃⌥C"}})");
    fs::create_directories(fs::path(std::getenv("XDG_CONFIG_HOME")) / "ondravell");
    std::ofstream(fs::path(std::getenv("XDG_CONFIG_HOME")) / "ondravell/ondravell.ini")
        << "[General]\nhasCompletedOnboarding=true\n";
}

} // namespace

TEST(ShellSelectionBarSession, OverAWaylandWindowTheBarStandsAtThePointer) {
    if (!std::getenv("ONDRAVELL_SESSION_ROOT") || !nameHasOwner("org.gnome.Shell"))
        GTEST_SKIP() << "needs the headless GNOME Shell session";
    const fs::path root = std::getenv("ONDRAVELL_SESSION_ROOT");
    ::setenv("ONDRAVELL_CONTAINER", (root / "container").c_str(), 1);
    fs::create_directories(root / "container/Library/Application Support");
    std::ofstream(root / "container/Library/Application Support/settings.v1.json")
        << R"({"selectionEnabled": true, "selectionTriggerAuto": true, "selectionActionIDs": ["copyText"]})";
    MutterRemoteInput input;
    ASSERT_TRUE(input.ok()) << input.error();
    setShellExtensionEnabled(true);
    ASSERT_TRUE(eventually([] { return platform::ShellExtensionBus::answers(); }))
        << "the Shell never exported the extension's object";

    SessionClient app(ONDRAVELL_APP, {});
    ASSERT_TRUE(eventually([] { return nameHasOwner("K3WQ9ZD7TM.dev.ondravell.Ondravell"); }))
        << "the program never took its bus name";
    SessionClient client(GTK_TEXT_FIELD_CLIENT, {"words under the pointer", ""}, {"GDK_BACKEND=wayland"});
    // Far from the fixed spot (centred, near the top).
    const int pointerX = 1000, pointerY = 600;
    // Early rounds may come before the window has the keyboard; the Shell starts in its overview,
    // which Esc leaves.
    ASSERT_TRUE(eventually([&] {
        input.chord({KEY_ESC});
        input.moveTo(pointerX, pointerY);
        input.selectLineByKeys();
        return eventually([] { return x11PrimaryText() == "words under the pointer"; },
                          std::chrono::seconds(1));
    })) << "PRIMARY: "
        << x11PrimaryText().value_or("(none)");
    ASSERT_TRUE(eventually([] { return shownBar().has_value(); })) << "no bar after the selection settled";
    const X11Windows::Window bar = *shownBar();
    EXPECT_LE(distance(bar, pointerX, pointerY), 40)
        << "bar at " << bar.x << "," << bar.y << " " << bar.width << "x" << bar.height;
    EXPECT_TRUE(app.running());
}

TEST(ShellSelectionBarSession, TheExtensionsCopyTakesAWaylandWindowsSelection) {
    if (!std::getenv("ONDRAVELL_SESSION_ROOT") || !nameHasOwner("org.gnome.Shell"))
        GTEST_SKIP() << "needs the headless GNOME Shell session";
    MutterRemoteInput input;
    ASSERT_TRUE(input.ok()) << input.error();
    setShellExtensionEnabled(true);
    ASSERT_TRUE(eventually([] { return platform::ShellExtensionBus::answers(); }))
        << "the Shell never exported the extension's object";
    // The extension presses keys only for the owner of the program's name.
    const guint owned =
        g_bus_own_name(G_BUS_TYPE_SESSION, platform::DBusSingleInstance::busName, G_BUS_NAME_OWNER_FLAGS_NONE,
                       nullptr, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(eventually([] {
        g_main_context_iteration(nullptr, FALSE);
        return nameHasOwner(platform::DBusSingleInstance::busName);
    }));

    SessionClient client(GTK_TEXT_FIELD_CLIENT, {"text for the clipboard", ""}, {"GDK_BACKEND=wayland"});
    ASSERT_TRUE(eventually([&] {
        input.chord({KEY_ESC});
        input.selectLineByKeys();
        return eventually([] { return x11PrimaryText() == "text for the clipboard"; },
                          std::chrono::seconds(1));
    })) << "PRIMARY: "
        << x11PrimaryText().value_or("(none)");

    ASSERT_NE(x11ClipboardText(), "text for the clipboard") << "the selection alone filled CLIPBOARD";
    platform::MemoryKeySynthesizer xtest;
    xtest.available = false;
    platform::ShellKeySynthesizer keys(xtest);
    // The extension learns of the name's owner a moment after the bus does, and refuses until then.
    EXPECT_TRUE(eventually([&] {
        EXPECT_TRUE(keys.send(platform::KeySynthesizer::Shortcut::copy));
        return runMainContextUntil([] { return x11ClipboardText() == "text for the clipboard"; }, 1000);
    })) << "CLIPBOARD: "
        << x11ClipboardText().value_or("(none)");
    EXPECT_TRUE(xtest.sent.empty());

    // Without the extension the shortcut goes to XTest, once the Shell said so.
    setShellExtensionEnabled(false);
    ASSERT_TRUE(eventually([] { return !platform::ShellExtensionBus::answers(); }));
    xtest.available = true;
    EXPECT_TRUE(keys.send(platform::KeySynthesizer::Shortcut::paste));
    EXPECT_TRUE(runMainContextUntil([&] { return !xtest.sent.empty(); }));
    EXPECT_EQ(xtest.sent, std::vector{platform::KeySynthesizer::Shortcut::paste});
    g_bus_unown_name(owned);
}

// Each gesture in a program of its own, over a window of its own: a click, a right click, a scroll, or
// the window closing; and a click on the bar, which runs its action (and the action hides the bar).
// With the extension its pointer reports hide the bar. Without it the accessibility bus does: the
// selection cleared by a click into its field, the field losing the focus to a right click there (its
// menu takes it), a scroll bar of its application moving, the window's application leaving. Where a
// Wayland window stands is known to the extension alone, so without it the field fills a maximised
// window for the pointer to be over it (a text view of many lines for the scroll); a click on a
// window's title or a scroll that moves nothing is seen by the extension alone.
struct HidingCase {
    const char* gesture;
    bool extension;
    // The entry fills a maximised window, so that the click lands in it.
    bool maximized;
};

class ShellSelectionBarHiding : public ::testing::TestWithParam<HidingCase> {};

TEST_P(ShellSelectionBarHiding, HidesTheBarOverAWaylandWindow) {
    if (!std::getenv("ONDRAVELL_SESSION_ROOT") || !nameHasOwner("org.gnome.Shell"))
        GTEST_SKIP() << "needs the headless GNOME Shell session";
    const HidingCase c = GetParam();
    const std::string gesture = c.gesture;
    const fs::path root = std::getenv("ONDRAVELL_SESSION_ROOT");
    ::setenv("ONDRAVELL_CONTAINER", (root / "container").c_str(), 1);
    writeSettings(
        root,
        R"({"selectionEnabled": true, "selectionTriggerAuto": true, "selectionActionIDs": ["copyText"]})");
    MutterRemoteInput input;
    ASSERT_TRUE(input.ok()) << input.error();
    setShellExtensionEnabled(c.extension);
    ASSERT_TRUE(eventually([&] { return platform::ShellExtensionBus::answers() == c.extension; }));
    SessionClient app(ONDRAVELL_APP, {});
    ASSERT_TRUE(programOwnsItsName());
    const std::string text = "words before a " + gesture;
    std::vector<std::string> arguments{text, ""};
    if (c.maximized)
        arguments.push_back(gesture == "scroll" ? "scrolling" : "maximized");
    auto client = std::make_unique<SessionClient>(GTK_TEXT_FIELD_CLIENT, arguments,
                                                  std::vector<std::string>{"GDK_BACKEND=wayland"});
    // With the extension the bar stands above the pointer, without it at a fixed spot.
    input.moveTo(640, 400);
    ASSERT_TRUE(selectLine(input, text)) << "PRIMARY: " << x11PrimaryText().value_or("(none)");
    ASSERT_TRUE(eventually([] { return shownBar().has_value(); })) << "no bar after the selection settled";
    if (gesture == "click on the bar") {
        // The bar's own button is pressed: its action runs (the text is copied), the press is not taken
        // for one in another window.
        const X11Windows::Window bar = *shownBar();
        input.click(bar.x + bar.width / 2, bar.y + bar.height / 2);
        EXPECT_TRUE(eventually([&] { return x11ClipboardText() == text; }))
            << "CLIPBOARD: " << x11ClipboardText().value_or("(none)");
    } else if (gesture == "click") {
        input.click(640, 400);
    } else if (gesture == "right click") {
        input.button(true, BTN_RIGHT);
        input.button(false, BTN_RIGHT);
    } else if (gesture == "scroll") {
        input.scroll();
    } else {
        client.reset();
    }
    EXPECT_TRUE(eventually([] { return !shownBar(); })) << "the bar stayed";
    // A context menu the right click opened goes.
    input.chord({KEY_ESC});
    EXPECT_TRUE(app.running());
}

INSTANTIATE_TEST_SUITE_P(
    Gestures, ShellSelectionBarHiding,
    ::testing::Values(HidingCase{"click", true, false}, HidingCase{"right click", true, false},
                      HidingCase{"scroll", true, false}, HidingCase{"window closing", true, false},
                      HidingCase{"click on the bar", true, false}, HidingCase{"click", false, true},
                      HidingCase{"right click", false, true}, HidingCase{"scroll", false, true},
                      HidingCase{"window closing", false, false},
                      HidingCase{"click on the bar", false, false}),
    [](const ::testing::TestParamInfo<HidingCase>& info) {
        std::string name = std::string(info.param.gesture) +
                           (info.param.extension ? "" : " without extension") +
                           (info.param.maximized ? " in the field" : "");
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });

TEST(ShellSelectionBarSession, TheHotKeyShowsTheBarForASelectionMadeWithTheKeysInAWaylandWindow) {
    if (!std::getenv("ONDRAVELL_SESSION_ROOT") || !nameHasOwner("org.gnome.Shell"))
        GTEST_SKIP() << "needs the headless GNOME Shell session";
    showTheBarByTheHotKeyOnly();
    MutterRemoteInput input;
    ASSERT_TRUE(input.ok()) << input.error();
    // Without the extension the desktop's custom shortcuts carry the hot key.
    SessionClient mediaKeys("/usr/libexec/gsd-media-keys", {});
    struct Case {
        const char* name;
        bool extension;
        const char* client;
        // The selection is made before the program runs: it cannot be told fresh, so the window is made
        // to copy it once the hot key's keys are up.
        bool selectedBefore;
    };
    const Case cases[] = {
        {"GTK 3, the extension", true, GTK_TEXT_FIELD_CLIENT, false},
        {"GTK 4, the extension", true, GTK4_TEXT_FIELD_CLIENT, false},
        {"GTK 3, the extension, a copy", true, GTK_TEXT_FIELD_CLIENT, true},
        {"GTK 3, custom shortcuts", false, GTK_TEXT_FIELD_CLIENT, false},
        {"GTK 4, custom shortcuts", false, GTK4_TEXT_FIELD_CLIENT, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        setShellExtensionEnabled(c.extension);
        ASSERT_TRUE(eventually([&] { return platform::ShellExtensionBus::answers() == c.extension; }));
        const std::string text = std::string("words for the hot key in ") + c.name;
        SessionClient client(c.client, {text, ""}, {"GDK_BACKEND=wayland"});
        std::unique_ptr<SessionClient> app;
        auto launch = [&] {
            app = std::make_unique<SessionClient>(ONDRAVELL_APP, std::vector<std::string>{});
            return programOwnsItsName();
        };
        if (!c.selectedBefore) {
            ASSERT_TRUE(launch());
        }
        ASSERT_TRUE(selectLine(input, text)) << "PRIMARY: " << x11PrimaryText().value_or("(none)");
        if (c.selectedBefore) {
            ASSERT_TRUE(launch());
        }
        EXPECT_FALSE(shownBar()) << "a bar before the hot key";
        // Early presses may come before the hot key is grabbed. The keys are held a while, as a hand does.
        bool shown = eventually([&] {
            for (unsigned key : {KEY_LEFTCTRL, KEY_LEFTALT, KEY_C})
                input.key(key, true);
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            const bool whileHeld = shownBar().has_value();
            input.key(KEY_C, false);
            input.key(KEY_LEFTALT, false);
            // From just before the last key goes up: the figure errs on the long side.
            const auto released = std::chrono::steady_clock::now();
            input.key(KEY_LEFTCTRL, false);
            if (!eventually([] { return shownBar().has_value(); }, std::chrono::seconds(2)))
                return false;
            const auto after = std::chrono::duration_cast<std::chrono::milliseconds>(
                std::chrono::steady_clock::now() - released);
            if (whileHeld)
                std::printf("[ figure ] %s: the bar came while the keys were held\n", c.name);
            else
                std::printf("[ figure ] %s: the bar came %lld ms after the keys were released\n", c.name,
                            static_cast<long long>(after.count()));
            return true;
        });
        EXPECT_TRUE(shown) << "no bar after the hot key";
        app.reset();
        ASSERT_TRUE(eventually([] { return !nameHasOwner(platform::DBusSingleInstance::busName); }));
    }
}

// The hot key over a Wayland window whose application answers the copy only after the copy's watch gave
// up: the late copy is undone and the user's clipboard comes back. An X11 application holds the user's
// clipboard and ends once another takes it, so its end tells that the late copy came.
TEST(ShellSelectionBarSession, ALateCopyOverAWaylandWindowGivesTheUsersClipboardBack) {
    if (!std::getenv("ONDRAVELL_SESSION_ROOT") || !nameHasOwner("org.gnome.Shell"))
        GTEST_SKIP() << "needs the headless GNOME Shell session";
    showTheBarByTheHotKeyOnly();
    MutterRemoteInput input;
    ASSERT_TRUE(input.ok()) << input.error();
    setShellExtensionEnabled(true);
    ASSERT_TRUE(eventually([] { return platform::ShellExtensionBus::answers(); }));

    SessionClient holder(GTK_TEXT_FIELD_CLIENT, {"the user's clipboard", "", "holder"}, {"GDK_BACKEND=x11"});
    ASSERT_TRUE(eventually([] { return x11ClipboardText() == "the user's clipboard"; }));
    const std::string text = "words copied late";
    SessionClient client(GTK_TEXT_FIELD_CLIENT, {text, "", "late-copy"}, {"GDK_BACKEND=wayland"});
    // Selected before the program runs, so that it cannot be told fresh: the hot key has the window copy.
    ASSERT_TRUE(selectLine(input, text)) << "PRIMARY: " << x11PrimaryText().value_or("(none)");
    SessionClient app(ONDRAVELL_APP, {});
    ASSERT_TRUE(programOwnsItsName());
    // Early presses may come before the hot key is grabbed: pressed until the window copied.
    EXPECT_TRUE(eventually([&] {
        input.chord({KEY_LEFTCTRL, KEY_LEFTALT, KEY_C});
        return eventually([&] { return !holder.running(); }, std::chrono::seconds(3));
    })) << "the window never copied";
    EXPECT_TRUE(eventually([] { return x11ClipboardText() == "the user's clipboard"; }))
        << "CLIPBOARD: " << x11ClipboardText().value_or("(none)");
    EXPECT_TRUE(app.running());
}
