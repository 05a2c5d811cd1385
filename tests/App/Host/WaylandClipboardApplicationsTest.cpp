#include "App/Host/WaylandClipboardApplications.h"

#include <gtest/gtest.h>

using namespace ondravell;

namespace {

// What the session shows at one moment: the window with the keyboard and the clipboard's owner.
struct Moment {
    bool x11WindowFocused = false;
    std::optional<std::uint64_t> focusSerial;
    std::optional<unsigned long> focusedClient;
    std::optional<unsigned long> ownerClient;
};

constexpr unsigned long compositor = 0x200000;
constexpr unsigned long x11Application = 0x400000;
constexpr unsigned long otherX11Application = 0x600000;

} // namespace

// The copier undoes a change when the application it names is the one named when the copy was asked.
TEST(WaylandClipboardApplicationsTest, TakesAChangeForTheAskedApplicationsOnlyWhileItCanTell) {
    struct Case {
        const char* name;
        Moment asked;
        Moment changed;
        std::optional<unsigned long> compositorClient;
        bool undone;
    };
    const Case cases[] = {
        {"the Wayland window kept the keyboard and set the clipboard",
         {false, 7, std::nullopt, std::nullopt},
         {false, 7, std::nullopt, compositor},
         compositor,
         true},
        {"the focus changed before the change",
         {false, 7, std::nullopt, std::nullopt},
         {false, 8, std::nullopt, compositor},
         compositor,
         false},
        {"an X11 application set the clipboard over the Wayland window",
         {false, 7, std::nullopt, std::nullopt},
         {false, 7, std::nullopt, x11Application},
         compositor,
         false},
        {"the focus was not known when the copy was asked",
         {false, std::nullopt, std::nullopt, std::nullopt},
         {false, std::nullopt, std::nullopt, compositor},
         compositor,
         false},
        {"the focus is no longer known",
         {false, 7, std::nullopt, std::nullopt},
         {false, std::nullopt, std::nullopt, compositor},
         compositor,
         false},
        {"no compositor is named",
         {false, 7, std::nullopt, std::nullopt},
         {false, 7, std::nullopt, compositor},
         std::nullopt,
         false},
        {"the clipboard has no owner",
         {false, 7, std::nullopt, std::nullopt},
         {false, 7, std::nullopt, std::nullopt},
         compositor,
         false},
        {"the X11 window that was asked set the clipboard",
         {true, 7, x11Application, std::nullopt},
         {true, 7, x11Application, x11Application},
         compositor,
         true},
        {"another X11 application set the clipboard",
         {true, 7, x11Application, std::nullopt},
         {true, 7, x11Application, otherX11Application},
         compositor,
         false},
        {"a Wayland window set the clipboard after an X11 window was asked",
         {true, 7, x11Application, std::nullopt},
         {false, 7, std::nullopt, compositor},
         compositor,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Moment now = c.asked;
        WaylandClipboardApplications applications({
            [&now] { return now.x11WindowFocused; },
            [&now] { return now.focusSerial; },
            [&now] { return now.focusedClient; },
            [&now] { return now.ownerClient; },
            [&c] { return c.compositorClient; },
        });
        const std::optional<std::uint64_t> asked = applications.focused();
        now = c.changed;
        EXPECT_EQ(asked.has_value() && applications.owner() == asked, c.undone);
    }
}
