// The headless session itself: a native Wayland GTK client and an X11 client run side by side in it,
// the seat gets a keyboard from the remote-desktop input, and the Wayland client's selection reaches X
// clients through the compositor's bridge.
#include "tests/platform/x11/X11Windows.h"
#include "tests/wayland/MutterRemoteInput.h"
#include "tests/wayland/SessionClients.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace ondravell::test;

TEST(HeadlessSessionSmokeTest, RunsAnX11ClientAndAWaylandClientWhoseSelectionX11Sees) {
    ASSERT_NE(std::getenv("WAYLAND_DISPLAY"), nullptr);
    MutterRemoteInput input;
    ASSERT_TRUE(input.ok()) << input.error();
    const fs::path root = std::getenv("ONDRAVELL_SESSION_ROOT");

    // The first window gets the keyboard; Home and Shift+End select its field's text.
    SessionClient waylandClient(GTK_TEXT_FIELD_CLIENT, {"words in a Wayland window", root / "wayland.txt"},
                                {"GDK_BACKEND=wayland"});
    EXPECT_TRUE(eventually([&input] {
        input.selectLineByKeys();
        return x11PrimaryText() == "words in a Wayland window";
    })) << "PRIMARY: "
        << x11PrimaryText().value_or("(none)");
    EXPECT_FALSE(X11Windows::viewableNamed("gtk-text-field-client")) << "the Wayland client ran on X11";

    SessionClient x11Client(GTK_TEXT_FIELD_CLIENT, {"an X11 window", root / "x11.txt"}, {"GDK_BACKEND=x11"});
    EXPECT_TRUE(eventually([] { return X11Windows::viewableNamed("gtk-text-field-client").has_value(); }))
        << "the X11 client's window never showed";
    EXPECT_TRUE(waylandClient.running());
    EXPECT_TRUE(x11Client.running());
}
