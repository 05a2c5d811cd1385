#include "App/Selection/SelectionMonitor.h"

#include "core/SharedConfig/OndravellSettings.h"
#include "platform/memory/FixedFrontmostApplication.h"
#include "platform/memory/ManualOneShotTimers.h"
#include "platform/memory/MemoryAccessibilityTrust.h"
#include "platform/memory/MemoryClipboardCopier.h"
#include "platform/memory/MemoryFocusedText.h"
#include "platform/memory/MemoryGlobalMouseMonitors.h"
#include "platform/memory/MemoryPrimarySelection.h"

#include <functional>
#include <gtest/gtest.h>

using namespace ondravell;
using namespace std::chrono_literals;
using Kind = platform::GlobalMouseMonitors::Kind;

namespace {

struct Fixture {
    platform::MemoryGlobalMouseMonitors monitors;
    platform::MemoryAccessibilityTrust trust{true};
    platform::MemoryPrimarySelection primary;
    platform::MemoryClipboardCopier clipboard;
    platform::FixedFrontmostApplication frontmost;
    platform::ManualOneShotTimers timers;
    platform::MemoryFocusedText focusedText;
    OndravellSettings settings;
    // A Wayland session's monitor: no mouse-up over Wayland windows, the bar where `locateBar` says.
    bool wayland = false;
    bool focusedWindowIsX11 = false;
    SelectionMonitor monitor{
        {&monitors, &trust, [this] { return settings; }, &primary, &clipboard, &frontmost, &timers,
         "ondravell",
         [] {
             return SelectionMonitor::Point{7, 8};
         },
         wayland, [this] { return focusedWindowIsX11; },
         wayland ? [](const std::function<void(SelectionMonitor::Point)>& place) { place({640, 240}); }
                 : std::function<void(std::function<void(SelectionMonitor::Point)>)>(),
         &focusedText}};
    std::vector<std::string> log; // "show <text> <x>,<y>" or "hide"

    explicit Fixture(bool waylandSession = false) : wayland(waylandSession) {
        settings.selectionEnabled = true;
        monitor.setBar({[this](const std::string& text, SelectionMonitor::Point at) {
                            log.push_back("show " + text + " " + std::to_string(int(at.x)) + "," +
                                          std::to_string(int(at.y)));
                        },
                        [this] { log.push_back("hide"); }});
    }
    // A press at `down` at server time 1000, a release at `up`, and the delayed read.
    void gesture(SelectionMonitor::Point down, SelectionMonitor::Point up, int clicks) {
        monitors.fire(Kind::leftMouseDown, {down.x, down.y, clicks, 1000});
        monitors.fire(Kind::leftMouseUp, {up.x, up.y, clicks, 1010});
        timers.advance(SelectionMonitor::readDelay - 1ms);
        EXPECT_TRUE(log.empty() || log.back() == "hide");
        timers.advance(1ms);
    }
};

} // namespace

TEST(SelectionMonitorRules, ClickOrGesture) {
    using P = SelectionMonitor::Point;
    EXPECT_TRUE(SelectionMonitor::isPlainClick(P{10, 10}, P{14, 10}, 1)); // exactly 4.0 is a click
    EXPECT_FALSE(SelectionMonitor::isPlainClick(P{10, 10}, P{14.01, 10}, 1));
    EXPECT_FALSE(SelectionMonitor::isPlainClick(P{10, 10}, P{10, 10}, 2)); // a double click selects
}

TEST(SelectionMonitorRules, FrontmostApplicationFilter) {
    const std::vector<std::string> blacklist = {"org.gnome.Terminal", "keepassxc.desktop"};
    struct Case {
        std::optional<std::string> appID;
        bool unnamedShows;
        bool shows;
    };
    const Case cases[] = {
        {std::nullopt, true, true},
        // What would name the application does not answer: it may be an excluded one.
        {std::nullopt, false, false},
        {"", false, false},
        {"org.gnome.gedit", true, true},
        {"org.gnome.gedit", false, true},
        {"ondravell", true, false},
        {"ondravell.desktop", true, false},
        {"org.gnome.Terminal", true, false},
        {"keepassxc", true, false},
        {"org.gnome.terminal", true, true}, // exact case
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.appID.value_or("(unnamed)") + (c.unnamedShows ? "" : ", the bus not answering"));
        EXPECT_EQ(SelectionMonitor::shouldShowIn(c.appID, "ondravell", blacklist, c.unnamedShows), c.shows);
    }
}

TEST(SelectionMonitorAutomatic, ShowsHidesOrLeavesTheBarAfterARelease) {
    struct Case {
        const char* name;
        SelectionMonitor::Point up;
        int clicks;
        std::optional<std::string> selection;
        std::optional<std::uint32_t> ownerSince;
        std::optional<std::string> frontmost;
        std::vector<std::string> expected;
    };
    const std::string longText(20001, 'x');
    const Case cases[] = {
        {"drag", {60, 20}, 1, "  hello\n", 1005, "org.gnome.gedit", {"show hello 60,20"}},
        {"double click", {10, 20}, 2, "word", 1000, std::nullopt, {"show word 10,20"}},
        {"plain click", {13, 20}, 1, "word", 1005, std::nullopt, {"hide"}},
        {"stale selection", {60, 20}, 1, "old", 999, std::nullopt, {"hide"}},
        {"no selection", {60, 20}, 1, std::nullopt, std::nullopt, std::nullopt, {"hide"}},
        {"blanks", {60, 20}, 1, " \n\t", 1005, std::nullopt, {"hide"}},
        {"invalid UTF-8", {60, 20}, 1, "ab\xff", 1005, std::nullopt, {"hide"}},
        {"NUL byte", {60, 20}, 1, std::string("a\0b", 3), 1005, std::nullopt, {"hide"}},
        {"too long", {60, 20}, 1, longText, 1005, std::nullopt, {"hide"}},
        {"blacklisted", {60, 20}, 1, "hello", 1005, "org.keepassxc.KeePassXC", {}},
        {"own window", {60, 20}, 1, "hello", 1005, "ondravell", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        f.settings.selectionAppBlacklist = {"org.keepassxc.KeePassXC"};
        f.primary.bytes = c.selection;
        f.primary.ownerSince = c.ownerSince;
        f.frontmost.identifier = c.frontmost;
        f.monitor.startMouseMonitors();
        f.gesture({10, 20}, c.up, c.clicks);
        EXPECT_EQ(f.log, c.expected);
        EXPECT_EQ(f.clipboard.calls, 0); // the automatic path never copies
    }
}

TEST(SelectionMonitorAutomatic, ScrollHidesAndStoppedMonitorsSeeNothing) {
    Fixture f;
    f.monitor.startMouseMonitors();
    f.monitors.fire(Kind::scrollWheel, {});
    EXPECT_EQ(f.log, std::vector<std::string>{"hide"});
    f.monitor.stop();
    EXPECT_FALSE(f.primary.watching);
    f.monitors.fire(Kind::scrollWheel, {});
    EXPECT_EQ(f.log.size(), 1u);
}

TEST(SelectionMonitorAutomatic, ArmingTwiceDoesNotDoubleEvents) {
    Fixture f;
    f.monitor.startMouseMonitors();
    f.monitor.startMouseMonitors();
    EXPECT_EQ(f.monitors.installedCount(), 3u);
    f.monitors.fire(Kind::scrollWheel, {});
    EXPECT_EQ(f.log.size(), 1u);
}

TEST(SelectionMonitorManual, ReadsTheFreshSelectionThenTheCopyAndShowsAtThePointer) {
    struct Case {
        const char* name;
        bool enabled;
        std::optional<std::string> selection;
        std::optional<std::string> copied;
        std::vector<std::string> expected;
        int copies;
    };
    const std::string longText(20001, 'x');
    const Case cases[] = {
        {"selection", true, " word ", "copied", {"show word 7,8"}, 0},
        {"copy when no selection", true, std::nullopt, "copied", {"show copied 7,8"}, 1},
        {"blank selection: no copy", true, "  ", "copied", {}, 0},
        {"nothing", true, std::nullopt, std::nullopt, {}, 1},
        {"no length limit", true, longText, std::nullopt, {"show " + longText + " 7,8"}, 0},
        {"toolbar off", false, "word", "copied", {}, 0},
        {"a focused password field", true, "secret", "secret", {}, 0},
        {"the focus not known in time", true, "secret", "secret", {}, 0},
        {"a hidden field's bullets", true, "\u25CF\u25CF\u25CF", "\u2022\u2022", {}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        f.settings.selectionEnabled = c.enabled;
        f.primary.bytes = c.selection;
        f.primary.ownerSince = 1005;
        if (c.copied)
            f.clipboard.nextCopy = platform::ClipboardCopy{c.copied, {}, {}};
        if (std::string_view(c.name) == "a focused password field")
            f.focusedText.focused = platform::FocusedText::Focus{"org.example.Vault", 42, true};
        f.focusedText.focusKnown = std::string_view(c.name) != "the focus not known in time";
        f.monitor.startMouseMonitors();
        f.monitors.fire(Kind::leftMouseDown, {0, 0, 1, 1000});
        f.monitor.triggerManually();
        EXPECT_EQ(f.log, c.expected);
        EXPECT_EQ(f.clipboard.calls, c.copies);
    }
}

TEST(SelectionMonitorManual, WithoutAPressSeenOnlyTheCopyIsTrusted) {
    Fixture f;
    f.primary.bytes = "stale";
    f.primary.ownerSince = 5;
    f.clipboard.nextCopy = platform::ClipboardCopy{"copied", {}, {}};
    f.monitor.triggerManually();
    EXPECT_EQ(f.log, std::vector<std::string>{"show copied 7,8"});
}

TEST(SelectionMonitorSettle, ASelectionThatStaysTheSameForTheSettleTimeShowsTheBar) {
    using namespace std::chrono;
    struct Change {
        milliseconds after; // since the previous change
        std::optional<std::string> text;
    };
    struct Case {
        const char* name;
        std::vector<Change> changes;
        bool x11Window = false;
        std::optional<std::string> frontmost;
        std::vector<std::string> expected;
        bool password = false;
        bool focusKnown = true;
        // False: the accessibility helper is away, so nothing it would tell is known.
        bool answering = true;
    };
    const Case cases[] = {
        {"one change", {{0ms, " hello "}}, false, std::nullopt, {"show hello 640,240"}},
        {"a drag: only the last change is read",
         {{0ms, "he"}, {100ms, "hell"}, {349ms, "hello"}},
         false,
         std::nullopt,
         {"show hello 640,240"}},
        {"blanks hide", {{0ms, " \n"}}, false, std::nullopt, {"hide"}},
        {"too long hides", {{0ms, std::string(20001, 'x')}}, false, std::nullopt, {"hide"}},
        {"an X11 window is handled at the release", {{0ms, "hello"}}, true, std::nullopt, {}},
        {"excluded application", {{0ms, "hello"}}, false, "org.keepassxc.KeePassXC", {}},
        {"own window", {{0ms, "hello"}}, false, "ondravell", {}},
        {"a focused password field", {{0ms, "secret"}}, false, std::nullopt, {"hide"}, true},
        {"the focus not known in time", {{0ms, "secret"}}, false, std::nullopt, {"hide"}, false, false},
        // Its helper away, the bus names no application (an excluded one may have the selection) and
        // vouches for no field.
        {"an unnamed application, the bus not answering",
         {{0ms, "hello"}},
         false,
         std::nullopt,
         {},
         false,
         false,
         false},
        {"a named application, the bus not answering",
         {{0ms, "hello"}},
         false,
         "org.example.Editor",
         {"hide"},
         false,
         false,
         false},
        {"a hidden field's bullets", {{0ms, "\u25CF\u25CF\u25CF\u25CF"}}, false, std::nullopt, {"hide"}},
        {"asterisks alone", {{0ms, "***"}}, false, std::nullopt, {"hide"}},
        {"bullets among words", {{0ms, "\u2022 item"}}, false, std::nullopt, {"show \u2022 item 640,240"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f(true);
        f.settings.selectionAppBlacklist = {"org.keepassxc.KeePassXC"};
        f.focusedWindowIsX11 = c.x11Window;
        f.frontmost.identifier = c.frontmost;
        if (c.password)
            f.focusedText.focused = platform::FocusedText::Focus{"org.example.Vault", 42, true};
        f.focusedText.focusKnown = c.focusKnown;
        f.focusedText.answering = c.answering;
        f.monitor.startMouseMonitors();
        std::uint32_t serverTime = 5000;
        for (const Change& change : c.changes) {
            f.timers.advance(change.after);
            serverTime += std::uint32_t(change.after.count());
            f.primary.take(serverTime, change.text);
        }
        f.timers.advance(SelectionMonitor::selectionSettleTime - 1ms);
        EXPECT_TRUE(f.log.empty()) << "read before the selection settled";
        f.timers.advance(1ms);
        EXPECT_EQ(f.log, c.expected);
    }
}

TEST(SelectionMonitorSettle, FollowsNoChangesInAnX11SessionOrOnceStopped) {
    Fixture x11;
    x11.monitor.startMouseMonitors();
    x11.primary.take(5000, "hello");
    x11.timers.advance(std::chrono::seconds(1));
    EXPECT_TRUE(x11.log.empty());

    Fixture wayland(true);
    wayland.monitor.startMouseMonitors();
    wayland.primary.take(5000, "hello");
    wayland.monitor.stop();
    wayland.timers.advance(std::chrono::seconds(1));
    EXPECT_TRUE(wayland.log.empty());
    EXPECT_EQ(wayland.timers.pendingCount(), 0u);
}

TEST(SelectionMonitorManual, InAWaylandSessionASelectionMadeInTheFocusedWindowIsReadWithoutACopy) {
    struct Case {
        const char* name;
        bool automatic;
        std::function<void(Fixture&)> after; // what happens between the selection and the hot key
        std::string expected;
    };
    const Case cases[] = {
        {"made with the keys", true, [](Fixture&) {}, "show words 640,240"},
        {"the hot key alone (no automatic bar)", false, [](Fixture&) {}, "show words 640,240"},
        {"another window took the keyboard", true,
         [](Fixture& f) { f.frontmost.identifier = "org.example.Other"; }, "show copied 640,240"},
        {"a press since", true,
         [](Fixture& f) {
             f.monitors.fire(Kind::leftMouseDown, {1, 1, 1, 0});
         },
         "show copied 640,240"},
        {"a press since, no automatic bar", false,
         [](Fixture& f) {
             f.monitors.fire(Kind::leftMouseDown, {1, 1, 1, 0});
         },
         "show copied 640,240"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f(true);
        f.frontmost.identifier = "org.example.Editor";
        f.clipboard.nextCopy = platform::ClipboardCopy{"copied", {}, {}};
        if (c.automatic)
            f.monitor.startMouseMonitors();
        else
            f.monitor.followSelectionsForHotKey();
        f.primary.take(5000, "words");
        c.after(f);
        f.log.clear();
        f.monitor.triggerManually();
        EXPECT_EQ(f.log, std::vector<std::string>{c.expected});
    }
}
