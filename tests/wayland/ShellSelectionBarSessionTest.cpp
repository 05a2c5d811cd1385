// The selection toolbar in a headless GNOME Shell Wayland session with the program's Shell extension:
// over a native Wayland GTK window, whose selection nothing places on the screen, the bar stands at
// the pointer, which the extension reports; the extension's keys copy from such a window.
#include "platform/glib/DBusSingleInstance.h"
#include "platform/glib/ShellExtensionBus.h"
#include "platform/glib/ShellKeySynthesizer.h"
#include "platform/memory/MemoryKeySynthesizer.h"
#include "tests/platform/x11/X11Windows.h"
#include "tests/wayland/MutterRemoteInput.h"
#include "tests/wayland/SessionClients.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <gio/gio.h>
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

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
