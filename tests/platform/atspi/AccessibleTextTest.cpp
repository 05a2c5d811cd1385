#include "platform/atspi/AccessibleTextRange.h"
#include "platform/atspi/ProcessDesktopId.h"

#include <gtest/gtest.h>

using ondravell::platform::AccessibleTextRange;
using ondravell::platform::ProcessDesktopId;

TEST(AccessibleTextRange, FindsTheShownTextInsideTheSelectionByCharacters) {
    struct Case {
        const char* name;
        AccessibleTextRange range;
        const char* rangeText;
        const char* wanted;
        std::optional<AccessibleTextRange> expected;
    };
    const Case cases[] = {
        {"whole", {6, 11}, "brave", "brave", AccessibleTextRange{6, 11}},
        {"blanks around stay", {2, 11}, "  brave\n ", "brave", AccessibleTextRange{4, 9}},
        {"offsets count characters", {3, 7}, " 世界 ", "世界", AccessibleTextRange{4, 6}},
        {"another text", {0, 5}, "brave", "bold", std::nullopt},
        {"more than blanks around", {0, 9}, "so brave!", "brave", std::nullopt},
        {"range and text disagree", {0, 3}, "brave", "brave", std::nullopt},
        {"nothing wanted", {0, 5}, "brave", "", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(AccessibleTextRange::locate(c.range, c.rangeText, c.wanted), c.expected);
    }
}

TEST(ProcessDesktopId, ReadsTheUnitGnomeStartedTheApplicationIn) {
    const std::string base = "0::/user.slice/user-1000.slice/user@1000.service/app.slice/";
    EXPECT_EQ(ProcessDesktopId::fromCgroup(base + "app-gnome-org.gnome.gedit-4242.scope\n"),
              "org.gnome.gedit");
    EXPECT_EQ(ProcessDesktopId::fromCgroup(base + "app-gnome-google\\x2dchrome-17.scope\n"), "google-chrome");
    EXPECT_EQ(ProcessDesktopId::fromCgroup("1:name=systemd:/\n" + base +
                                           "app-gnome-org.gnome.Nautilus@a1b2.service"),
              "org.gnome.Nautilus");
    EXPECT_EQ(ProcessDesktopId::fromCgroup(base + "app-gnome-org.gnome.gedit-x1.scope"), std::nullopt);
    EXPECT_EQ(ProcessDesktopId::fromCgroup("0::/user.slice/user-1000.slice/session-2.scope\n"), std::nullopt);
    EXPECT_EQ(ProcessDesktopId::fromCgroup(""), std::nullopt);
}
