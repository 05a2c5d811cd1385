#include "platform/x11/X11PrimarySelection.h"

#include "platform/x11/X11GlobalMouseMonitors.h"
#include "tests/platform/x11/X11FakeInput.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <gtest/gtest.h>
// After GoogleTest, whose own names Xlib's macros would replace.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

using namespace ondravell::platform;

namespace {

// A read that ended without text (rather than no answer at all).
const std::optional<std::optional<std::string>> noText{std::in_place};

void spin(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
}

class X11PrimarySelectionTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "X11PrimarySelectionTest";
        static char* argv[] = {name, nullptr};
        app_ = new QGuiApplication(argc, argv);
        input_ = new ondravell::test::X11FakeInput;
    }

    // The server time of a click made now, as the mouse monitors report it.
    PrimarySelection::ServerTime pressTime() {
        X11GlobalMouseMonitors monitors({});
        std::optional<PrimarySelection::ServerTime> time;
        monitors.install(GlobalMouseMonitors::Kind::leftMouseDown,
                         [&time](const auto& event) { time = event.serverTime; });
        input_->click(1);
        QElapsedTimer timer;
        timer.start();
        while (!time && timer.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        return time.value_or(0);
    }

    std::optional<std::optional<std::string>> read(PrimarySelection& selection,
                                                   PrimarySelection::ServerTime since) {
        std::optional<std::optional<std::string>> answer;
        selection.readSetSince(since,
                               [&answer](std::optional<std::string> bytes) { answer = std::move(bytes); });
        QElapsedTimer timer;
        timer.start();
        while (!answer && timer.elapsed() < 15000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        return answer;
    }

    static inline QGuiApplication* app_ = nullptr;
    static inline ondravell::test::X11FakeInput* input_ = nullptr;
};

} // namespace

TEST_F(X11PrimarySelectionTest, ReadsOnlyASelectionTakenDuringTheGesture) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("before watching"), QClipboard::Selection);
    spin(50);
    X11PrimarySelection selection;
    ASSERT_TRUE(selection.watch());
    EXPECT_EQ(read(selection, 0), noText);

    PrimarySelection::ServerTime press = pressTime();
    clipboard->setText(QStringLiteral("选中的 text"), QClipboard::Selection);
    spin(50);
    EXPECT_EQ(read(selection, press), std::optional<std::string>("选中的 text"));

    // A later gesture that selected nothing finds the same selection stale.
    spin(20);
    EXPECT_EQ(read(selection, pressTime()), noText);
}

TEST_F(X11PrimarySelectionTest, ReadsALargeSelectionInPieces) {
    X11PrimarySelection selection({10000, std::size_t(64) << 20});
    ASSERT_TRUE(selection.watch());
    PrimarySelection::ServerTime press = pressTime();
    const QString large(20 << 20, QLatin1Char('x'));
    QGuiApplication::clipboard()->setText(large, QClipboard::Selection);
    spin(50);
    auto answer = read(selection, press);
    ASSERT_TRUE(answer && *answer);
    EXPECT_EQ((*answer)->size(), std::size_t(20) << 20);
}

TEST_F(X11PrimarySelectionTest, GivesUpOnAnOwnerThatNeverAnswers) {
    X11PrimarySelection selection({300, 1024});
    ASSERT_TRUE(selection.watch());
    PrimarySelection::ServerTime press = pressTime();
    // An owner on a connection that nobody reads from.
    Display* mute = XOpenDisplay(nullptr);
    ASSERT_NE(mute, nullptr);
    Window window = XCreateSimpleWindow(mute, DefaultRootWindow(mute), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(mute, XA_PRIMARY, window, CurrentTime);
    XSync(mute, False);
    spin(50);
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(read(selection, press), noText);
    EXPECT_LT(timer.elapsed(), 4000);
    XCloseDisplay(mute);
}
