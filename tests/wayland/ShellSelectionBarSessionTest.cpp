// The selection toolbar in a headless GNOME Shell Wayland session with the program's Shell extension:
// over a native Wayland GTK window, whose selection nothing places on the screen, the bar stands at
// the pointer, which the extension reports.
#include "platform/glib/ShellExtensionBus.h"
#include "tests/platform/x11/X11Windows.h"
#include "tests/wayland/MutterRemoteInput.h"
#include "tests/wayland/SessionClients.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
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
