// The replace button of the real program's result panel over native Wayland GTK 3 and GTK 4 fields in a
// headless GNOME Wayland session, again and again: each time the field's selection gives way to the
// result through its editable text, never the clipboard (keys reach no Wayland window).
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

namespace {

// The bar and the result panel carry the same name; the bar is one row of buttons high.
std::optional<X11Windows::Window> shownOurs(bool panel) {
    for (const auto& window : X11Windows::all())
        if (window.viewable && window.name == "Ondravell" && (window.height > 60) == panel)
            return window;
    return std::nullopt;
}

std::string fileText(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

} // namespace

TEST(WaylandReplace, TheFormattedJSONReplacesTheSelectionInFiftyRuns) {
    MutterRemoteInput input;
    ASSERT_TRUE(input.ok()) << input.error();
    const fs::path root = std::getenv("ONDRAVELL_SESSION_ROOT");
    std::unique_ptr<SessionClient> program =
        startLogged(ONDRAVELL_APP, root, R"(["jsonTool"])", root / "program.log");
    ASSERT_TRUE(program) << "the program never took its bus name";

    int replaced = 0;
    constexpr int runs = 50;
    for (int run = 1; run <= runs; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        const fs::path fieldText = root / ("field-" + std::to_string(run) + ".txt");
        // A result of its own each run, so that no run finds an earlier one's on the clipboard.
        const std::string json = R"({"a":)" + std::to_string(run) + "}",
                          formatted = "{\n  \"a\" : " + std::to_string(run) + "\n}";
        // GTK 3 and GTK 4 in turn.
        SessionClient client(run % 2 ? GTK_TEXT_FIELD_CLIENT : GTK4_TEXT_FIELD_CLIENT,
                             {json, fieldText.string()}, {"GDK_BACKEND=wayland"});
        bool selected = false;
        for (int attempt = 0; attempt < 20 && !selected; ++attempt) {
            input.selectLineByKeys();
            selected = eventually([&] { return x11PrimaryText() == json; }, std::chrono::seconds(1));
        }
        ASSERT_TRUE(selected) << "PRIMARY: " << x11PrimaryText().value_or("(none)");
        ASSERT_TRUE(eventually([] { return shownOurs(false).has_value(); })) << "no bar";
        auto bar = *shownOurs(false);
        input.clickX11Window(bar.x + bar.width / 2, bar.y + bar.height / 2);
        ASSERT_TRUE(eventually([] { return shownOurs(true).has_value(); })) << "no JSON panel";
        // The replace button sits beside the copy button in the panel's last row.
        auto panel = *shownOurs(true);
        input.clickX11Window(panel.x + 140, panel.y + panel.height - 24);
        // Either the field changes, or the result goes to the clipboard instead.
        eventually([&] { return fileText(fieldText) == formatted || x11ClipboardText() == formatted; });
        if (fileText(fieldText) == formatted && x11ClipboardText() != formatted)
            ++replaced;
        else
            ADD_FAILURE() << "not replaced; the field holds: " << fileText(fieldText);
    }
    EXPECT_EQ(replaced, runs);
    EXPECT_TRUE(program->running());
}
