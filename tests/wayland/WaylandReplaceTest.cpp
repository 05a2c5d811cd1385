// The replace button of the real program's result panel over native Wayland GTK 3 and GTK 4 fields in a
// headless GNOME Wayland session, again and again: each time the field's selection gives way to the
// result through its editable text, never the clipboard (keys reach no Wayland window), and exactly
// the selected range changes: a whole line, a JSON inside other text, the second of two equal ones,
// the second line of a text view, one between Chinese words.
#include "tests/platform/x11/X11Windows.h"
#include "tests/wayland/MutterRemoteInput.h"
#include "tests/wayland/PasswordFieldRuns.h"
#include "tests/wayland/SessionClients.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <linux/input-event-codes.h>

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

// Where the JSON stands in the field: between `before` and `after`, on the field's last line,
// `column` characters from its start.
struct Placement {
    const char* name;
    const char* client;
    const char* mode;
    std::string before, after;
    std::size_t column = 0;
};

// Selects forwards with the keys: a GTK 4 entry's selection made backwards reaches PRIMARY empty.
void selectOnItsLine(MutterRemoteInput& input, const Placement& where, std::size_t length) {
    input.chord({KEY_LEFTCTRL, KEY_END});
    input.chord({KEY_HOME});
    for (std::size_t i = 0; i < where.column; ++i)
        input.chord({KEY_RIGHT});
    // Shift held through the presses, as a hand holds it.
    input.key(KEY_LEFTSHIFT, true);
    for (std::size_t i = 0; i < length; ++i)
        input.chord({KEY_RIGHT});
    input.key(KEY_LEFTSHIFT, false);
}

} // namespace

TEST(WaylandReplace, TheFormattedJSONReplacesExactlyTheSelectionInFiftyRuns) {
    MutterRemoteInput input;
    ASSERT_TRUE(input.ok()) << input.error();
    const fs::path root = std::getenv("ONDRAVELL_SESSION_ROOT");
    std::unique_ptr<SessionClient> program =
        startLogged(ONDRAVELL_APP, root, R"(["jsonTool"])", root / "program.log");
    ASSERT_TRUE(program) << "the program never took its bus name";

    int replaced = 0;
    constexpr int runs = 50;
    for (int run = 1; run <= runs; ++run) {
        // A result of its own each run, so that no run finds an earlier one's on the clipboard.
        const std::string json = R"({"a":)" + std::to_string(run) + "}",
                          formatted = "{\n  \"a\" : " + std::to_string(run) + "\n}";
        const Placement placements[] = {
            {"a GTK 3 entry's whole line", GTK_TEXT_FIELD_CLIENT, "", "", "", 0},
            {"a GTK 4 entry, inside text", GTK4_TEXT_FIELD_CLIENT, "", "before ", " after", 7},
            {"a GTK 3 entry, the second of two equal JSONs", GTK_TEXT_FIELD_CLIENT, "", json + " ", "",
             json.size() + 1},
            {"a GTK 3 text view's second line", GTK_TEXT_FIELD_CLIENT, "multiline", "first line\n", "", 0},
            {"a GTK 4 entry, between Chinese words", GTK4_TEXT_FIELD_CLIENT, "", "中文 ", " 结束", 3},
        };
        const Placement& where = placements[(run - 1) % std::size(placements)];
        SCOPED_TRACE("run " + std::to_string(run) + ", " + where.name);
        const fs::path fieldText = root / ("field-" + std::to_string(run) + ".txt");
        std::vector<std::string> arguments{where.before + json + where.after, fieldText.string()};
        if (*where.mode)
            arguments.push_back(where.mode);
        SessionClient client(where.client, arguments, {"GDK_BACKEND=wayland"});
        bool selected = false;
        for (int attempt = 0; attempt < 20 && !selected; ++attempt) {
            selectOnItsLine(input, where, json.size());
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
        const std::string expected = where.before + formatted + where.after;
        eventually([&] { return fileText(fieldText) == expected || x11ClipboardText() == formatted; });
        if (fileText(fieldText) == expected && x11ClipboardText() != formatted)
            ++replaced;
        else
            ADD_FAILURE() << "not replaced; the field holds: " << fileText(fieldText);
    }
    EXPECT_EQ(replaced, runs);
    EXPECT_TRUE(program->running());
}
