#include "platform/x11/X11GlobalMouseMonitors.h"

#include "tests/platform/x11/X11FakeInput.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <vector>

using namespace ondravell::platform;
using Kind = GlobalMouseMonitors::Kind;

namespace {

struct Seen {
    Kind kind;
    GlobalMouseMonitors::Event event;
};

// Runs the event loop until `count` events were seen (bounded, so a broken build fails instead of hanging).
void runUntil(const std::vector<Seen>& seen, std::size_t count) {
    QElapsedTimer timer;
    timer.start();
    while (seen.size() < count && timer.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

class X11GlobalMouseMonitorsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "X11GlobalMouseMonitorsTest";
        static char* argv[] = {name, nullptr};
        app_ = new QCoreApplication(argc, argv);
        // One connection for the whole suite: an X server without clients resets itself, and
        // connections made during the reset fail.
        input_ = new ondravell::test::X11FakeInput;
    }
    static inline QCoreApplication* app_ = nullptr;
    static inline ondravell::test::X11FakeInput* input_ = nullptr;
};

} // namespace

TEST_F(X11GlobalMouseMonitorsTest, ReportsPressReleaseWithPositionAndCountsTheDoubleClick) {
    auto& input = *input_;
    ASSERT_TRUE(input.ok());
    X11GlobalMouseMonitors monitors({});
    std::vector<Seen> seen;
    for (Kind kind : {Kind::leftMouseDown, Kind::leftMouseUp, Kind::scrollWheel})
        ASSERT_TRUE(monitors.install(kind, [&seen, kind](const auto& event) {
            seen.push_back({kind, event});
        }));

    input.moveTo(200, 150);
    input.click(1);
    input.click(1);
    input.click(4); // wheel
    runUntil(seen, 5);

    ASSERT_EQ(seen.size(), 5u);
    EXPECT_EQ(seen[0].kind, Kind::leftMouseDown);
    EXPECT_EQ(seen[0].event.x, 200);
    EXPECT_EQ(seen[0].event.y, 150);
    EXPECT_EQ(seen[0].event.clickCount, 1);
    EXPECT_EQ(seen[1].kind, Kind::leftMouseUp);
    EXPECT_EQ(seen[2].event.clickCount, 2);
    EXPECT_EQ(seen[3].kind, Kind::leftMouseUp);
    EXPECT_EQ(seen[3].event.clickCount, 2);
    EXPECT_EQ(seen[4].kind, Kind::scrollWheel);
}

TEST_F(X11GlobalMouseMonitorsTest, IgnoresInputOverTheProgramsOwnWindowsAndReleasesOfPressesMadeThere) {
    auto& input = *input_;
    ASSERT_TRUE(input.ok());
    std::vector<Seen> asked; // every event the monitors looked at, reported or not
    // Our window covers x < 100 until a click on it closes it, as the result panel's buttons do.
    bool windowShown = true;
    X11GlobalMouseMonitors monitors({400, 5, [&](double x, double y) {
                                         asked.push_back({Kind::leftMouseUp, {x, y, 0}});
                                         return windowShown && x < 100;
                                     }});
    std::vector<Seen> seen;
    for (Kind kind : {Kind::leftMouseDown, Kind::leftMouseUp})
        ASSERT_TRUE(monitors.install(kind, [&seen, kind](const auto& event) {
            seen.push_back({kind, event});
        }));
    // The position is the pointer's when the event is read, so each press and release is read before
    // the next step, as it is when a person clicks.
    input.moveTo(50, 50);
    input.press(1);
    runUntil(asked, 1);
    windowShown = false;
    input.release(1);
    input.moveTo(300, 50);
    input.click(1);
    runUntil(seen, 2);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].kind, Kind::leftMouseDown);
    EXPECT_EQ(seen[0].event.x, 300);
    EXPECT_EQ(seen[1].kind, Kind::leftMouseUp);
    EXPECT_EQ(seen[1].event.x, 300);
}

TEST_F(X11GlobalMouseMonitorsTest, RemovedMonitorHearsNothing) {
    auto& input = *input_;
    ASSERT_TRUE(input.ok());
    X11GlobalMouseMonitors monitors({});
    std::vector<Seen> removedSeen, keptSeen;
    auto removed = monitors.install(Kind::leftMouseDown, [&](const auto& e) {
        removedSeen.push_back({Kind::leftMouseDown, e});
    });
    auto kept = monitors.install(Kind::leftMouseDown, [&](const auto& e) {
        keptSeen.push_back({Kind::leftMouseDown, e});
    });
    ASSERT_TRUE(removed && kept);
    monitors.remove(*removed);
    input.click(1);
    runUntil(keptSeen, 1);
    EXPECT_EQ(keptSeen.size(), 1u);
    EXPECT_TRUE(removedSeen.empty());
}
