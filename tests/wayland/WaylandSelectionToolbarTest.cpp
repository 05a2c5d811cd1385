// The selection toolbar of the real program in a headless GNOME Wayland session: native Wayland GTK 3
// and GTK 4 windows, whose text the driver selects with the keyboard; the bar (an X11 window of ours,
// under XWayland) is looked for from outside. Nothing tells where a Wayland window's selection is, so
// the bar stands at the fixed spot of the primary screen.
#include "tests/platform/x11/X11Windows.h"
#include "tests/wayland/MutterRemoteInput.h"
#include "tests/wayland/PasswordFieldRuns.h"
#include "tests/wayland/SessionClients.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <linux/input-event-codes.h>
#include <memory>
#include <thread>

namespace fs = std::filesystem;
using namespace ondravell::test;

namespace {

const std::string barName = "Ondravell";
// How long a bar that should not come is waited for: well past the settle time and the read.
constexpr auto absenceWait = std::chrono::milliseconds(1500);

// The bar and the result panel carry the same name; the bar is one row of buttons high.
std::optional<X11Windows::Window> shownOurs(bool panel) {
    for (const auto& window : X11Windows::all())
        if (window.viewable && window.name == barName && (window.height > 60) == panel)
            return window;
    return std::nullopt;
}

bool barShown() {
    return shownOurs(false).has_value();
}

std::string fileText(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class WaylandSelectionToolbarTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        root_ = std::getenv("ONDRAVELL_SESSION_ROOT");
        ::setenv("ONDRAVELL_CONTAINER", (root_ / "container").c_str(), 1);
        input_ = std::make_unique<MutterRemoteInput>();
    }
    static void TearDownTestSuite() {
        app_.reset();
        input_.reset();
    }
    void TearDown() override { app_.reset(); }

    static void writeSettings(const std::string& actions) {
        fs::path folder = root_ / "container" / "Library" / "Application Support";
        fs::create_directories(folder);
        std::ofstream(folder / "settings.v1.json")
            << R"({"selectionEnabled": true, "selectionTriggerAuto": true, "selectionActionIDs": )" << actions
            << "}";
    }
    // The program, armed as the settings say; the launch arms the monitor at once.
    static void launchApp(const std::vector<std::string>& environment = {}) {
        app_ = std::make_unique<SessionClient>(ONDRAVELL_APP, std::vector<std::string>{}, environment);
        ASSERT_TRUE(eventually([] {
            return ::system("gdbus call --session --dest org.freedesktop.DBus "
                            "--object-path /org/freedesktop/DBus --method "
                            "org.freedesktop.DBus.GetNameOwner K3WQ9ZD7TM.dev.ondravell.Ondravell "
                            ">/dev/null 2>&1") == 0;
        })) << "the program never took its bus name";
    }

    // Selects the focused field's text with the keyboard until `selected` holds. A window that has just
    // been mapped may not have the keyboard yet: the keys are pressed again, but only after each try
    // had the time to reach PRIMARY, so that a try never undoes the one before while it is being read.
    static bool selectField(const std::function<bool()>& selected) {
        for (int attempt = 0; attempt < 20; ++attempt) {
            input_->selectLineByKeys();
            if (eventually(selected, std::chrono::seconds(1)))
                return true;
        }
        return false;
    }

    static inline fs::path root_;
    static inline std::unique_ptr<MutterRemoteInput> input_;
    static inline std::unique_ptr<SessionClient> app_;
};

} // namespace

TEST_F(WaylandSelectionToolbarTest, ASettledSelectionInGtk3AndGtk4WindowsShowsTheBarAPasswordFieldNone) {
    ASSERT_TRUE(input_->ok()) << input_->error();
    writeSettings(R"(["copyText", "translate"])");
    launchApp();
    struct Case {
        const char* name;
        const char* client;
        std::vector<std::string> arguments;
        bool shows;
    };
    const Case cases[] = {
        {"GTK 3 password field", GTK_TEXT_FIELD_CLIENT, {"secret words", "", "password"}, false},
        {"GTK 3", GTK_TEXT_FIELD_CLIENT, {"words in a GTK 3 window", ""}, true},
        {"GTK 4", GTK4_TEXT_FIELD_CLIENT, {"words in a GTK 4 window", ""}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<std::string> before = x11PrimaryText();
        SessionClient client(c.client, c.arguments, {"GDK_BACKEND=wayland"});
        // A password field publishes its bullets, not its text: wait for any new selection there.
        ASSERT_TRUE(selectField([&c, &before] {
            std::optional<std::string> now = x11PrimaryText();
            return c.shows ? now == c.arguments[0] : now.has_value() && now != before;
        })) << "PRIMARY: "
            << x11PrimaryText().value_or("(none)");
        if (c.shows) {
            ASSERT_TRUE(eventually(barShown)) << "no bar after the selection settled";
            auto bar = *shownOurs(false);
            // Centred on the primary screen, above the point 30% from its top.
            EXPECT_NEAR(bar.x + bar.width / 2, 640, 2);
            EXPECT_LE(bar.y + bar.height, 240);
        } else {
            std::this_thread::sleep_for(absenceWait);
            EXPECT_FALSE(barShown()) << "the bar showed over a password field";
        }
    }
}

TEST_F(WaylandSelectionToolbarTest, ReplaceWritesTheFormattedJSONIntoTheWaylandFieldThroughItsEditableText) {
    ASSERT_TRUE(input_->ok()) << input_->error();
    writeSettings(R"(["jsonTool"])");
    launchApp();
    const fs::path fieldText = root_ / "gtk-field.txt";
    SessionClient client(GTK_TEXT_FIELD_CLIENT, {R"({"a":1})", fieldText.string()}, {"GDK_BACKEND=wayland"});
    ASSERT_TRUE(selectField([] { return x11PrimaryText() == R"({"a":1})"; }));
    ASSERT_TRUE(eventually(barShown)) << "no bar over the GTK field";
    auto bar = *shownOurs(false);
    input_->clickX11Window(bar.x + bar.width / 2, bar.y + bar.height / 2);
    ASSERT_TRUE(eventually([] { return shownOurs(true).has_value(); }))
        << "no JSON panel after a click on the bar";
    // The replace button sits beside the copy button in the panel's last row.
    auto panel = *shownOurs(true);
    input_->clickX11Window(panel.x + 140, panel.y + panel.height - 24);
    const std::string formatted = "{\n  \"a\" : 1\n}";
    EXPECT_TRUE(eventually([&] { return fileText(fieldText) == formatted; }))
        << "the field holds: " << fileText(fieldText);
}

TEST_F(WaylandSelectionToolbarTest, WithoutAnAccessibilityBusTheBarStillShows) {
    ASSERT_TRUE(input_->ok()) << input_->error();
    writeSettings(R"(["copyText"])");
    launchApp({"AT_SPI_BUS_ADDRESS=unix:path=" + (root_ / "no-such-bus").string()});
    SessionClient client(GTK_TEXT_FIELD_CLIENT, {"words without a bus", ""}, {"GDK_BACKEND=wayland"});
    ASSERT_TRUE(selectField([] { return x11PrimaryText() == "words without a bus"; }));
    EXPECT_TRUE(eventually(barShown)) << "no bar without the accessibility bus";
    EXPECT_TRUE(app_->running());
}

// A GTK 4 field selected backwards puts an empty PRIMARY selection on the bus, while GTK 4 tells the
// accessibility bus the real text of an entry whose visibility is off: the bar never stands over a
// hidden or password field selected so (the field's text is taken from no other source).
TEST_F(WaylandSelectionToolbarTest, AGtk4HiddenOrPasswordFieldSelectedBackwardsShowsNoBar) {
    ASSERT_TRUE(input_->ok()) << input_->error();
    writeSettings(R"(["copyText"])");
    launchApp();
    for (const char* kind : {"hidden", "password"}) {
        SCOPED_TRACE(kind);
        SessionClient client(GTK4_TEXT_FIELD_CLIENT, {"secret words", "", kind}, {"GDK_BACKEND=wayland"});
        // Forwards first, until the field's mask is in PRIMARY: the field has the keyboard then.
        ASSERT_TRUE(selectField([] {
            std::optional<std::string> now = x11PrimaryText();
            return now && !now->empty() && isMasked(*now);
        })) << "PRIMARY: "
            << x11PrimaryText().value_or("(none)");
        input_->chord({KEY_END});
        input_->key(KEY_LEFTSHIFT, true);
        for (int i = 0; i < 5; ++i)
            input_->chord({KEY_LEFT});
        input_->key(KEY_LEFTSHIFT, false);
        ASSERT_TRUE(eventually([] { return x11PrimaryText() == ""; }))
            << "PRIMARY: " << x11PrimaryText().value_or("(none)");
        std::this_thread::sleep_for(absenceWait);
        EXPECT_FALSE(barShown()) << "the bar showed over a " << kind << " field";
    }
}
