#include "platform/qt/QtClipboardCopier.h"

#include "platform/memory/MemoryKeySynthesizer.h"
#include "platform/x11/X11ClipboardOwnerProbe.h"
#include "platform/x11/X11KeySynthesizer.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMimeData>
#include <QTimer>
#include <gtest/gtest.h>
#include <map>
// After GoogleTest, whose own names Xlib's macros would replace.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

using namespace ondravell::platform;

namespace {

using Formats = std::map<QString, QByteArray>;

QMimeData* mimeOf(const Formats& formats) {
    auto* data = new QMimeData;
    for (const auto& [format, bytes] : formats)
        data->setData(format, bytes);
    return data;
}

Formats clipboardFormats() {
    Formats formats;
    if (const QMimeData* data = QGuiApplication::clipboard()->mimeData())
        for (const QString& format : data->formats())
            formats[format] = data->data(format);
    return formats;
}

// Runs the event loop until the copier answers (bounded, so a broken build fails instead of hanging).
std::optional<std::optional<ClipboardCopy>> copyWith(ClipboardCopier& copier) {
    std::optional<std::optional<ClipboardCopy>> answer;
    copier.copyFromFocusedWindow([&answer](std::optional<ClipboardCopy> copy) { answer = std::move(copy); });
    QElapsedTimer timer;
    timer.start();
    while (!answer && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    return answer;
}

class QtClipboardCopierTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "QtClipboardCopierTest";
        static char* argv[] = {name, nullptr};
        app_ = new QApplication(argc, argv);
    }
    static inline QApplication* app_ = nullptr;
};

const Formats userClipboard = {
    {"text/plain", "the user's text"},
    {"text/html", "<b>the user's text</b>"},
    {"application/x-ondravell-test", QByteArray("\x01\x02\x00\x03", 4)},
};

} // namespace

TEST_F(QtClipboardCopierTest, ReadsTheCopyAndRestoresEveryFormatOnlyWhenTheClipboardChanged) {
    struct Case {
        const char* name;
        std::optional<Formats>
            copied; // what the focused program puts on the clipboard; none: ignores the keys
        std::optional<ClipboardCopy> expected;
    };
    const Case cases[] = {
        {"ignored", std::nullopt, std::nullopt},
        {"text", Formats{{"text/plain", "选中的 text"}}, ClipboardCopy{"选中的 text", {}, {}}},
        {"text with NUL", Formats{{"text/plain", QByteArray("a\0b", 3)}}, ClipboardCopy{}},
        {"uri list", Formats{{"text/uri-list", "file:///tmp/a%20b.txt\r\nhttps://example.org/x\r\n"}},
         ClipboardCopy{std::nullopt, {"file:///tmp/a%20b.txt", "https://example.org/x"}, {"/tmp/a b.txt"}}},
        {"copied files",
         Formats{{"x-special/gnome-copied-files", "cut\nfile:///home/u/one\nfile:///home/u/two"},
                 {"text/uri-list", "file:///ignored"}},
         ClipboardCopy{
             std::nullopt, {"file:///home/u/one", "file:///home/u/two"}, {"/home/u/one", "/home/u/two"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setMimeData(mimeOf(userClipboard));
        const QMimeData* before = clipboard->mimeData();
        MemoryKeySynthesizer keys;
        keys.onSend = [&c, clipboard](KeySynthesizer::Shortcut) {
            if (c.copied)
                clipboard->setMimeData(mimeOf(*c.copied));
        };
        QtClipboardCopier copier(keys);

        auto answer = copyWith(copier);

        ASSERT_TRUE(answer.has_value());
        EXPECT_EQ(*answer, c.expected);
        EXPECT_EQ(keys.sent, std::vector{KeySynthesizer::Shortcut::copy});
        EXPECT_EQ(clipboardFormats(), userClipboard);
        if (!c.copied) { // untouched, not rewritten: the real owner keeps the clipboard
            EXPECT_EQ(clipboard->mimeData(), before);
        }
    }
}

TEST_F(QtClipboardCopierTest, AnEmptyClipboardIsEmptyAgainAfterTheCopy) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    MemoryKeySynthesizer keys;
    keys.onSend = [clipboard](auto) { clipboard->setText(QStringLiteral("copied")); };
    QtClipboardCopier copier(keys);

    auto answer = copyWith(copier);

    ASSERT_TRUE(answer && *answer);
    EXPECT_EQ((*answer)->text, "copied");
    EXPECT_TRUE(clipboardFormats().empty());
}

TEST_F(QtClipboardCopierTest, RefusesASecondCopyWhileOneRunsAndWithoutKeys) {
    MemoryKeySynthesizer keys;
    QtClipboardCopier copier(keys, {3, 5});
    bool firstAnswered = false, secondAnswered = false;
    copier.copyFromFocusedWindow([&](auto) { firstAnswered = true; });
    copier.copyFromFocusedWindow([&](auto copy) { secondAnswered = !copy; });
    EXPECT_TRUE(secondAnswered);
    EXPECT_FALSE(firstAnswered);

    MemoryKeySynthesizer noKeys;
    noKeys.available = false;
    QtClipboardCopier refused(noKeys);
    bool refusedAnswered = false;
    refused.copyFromFocusedWindow([&](auto copy) { refusedAnswered = !copy; });
    EXPECT_TRUE(refusedAnswered);
}

TEST_F(QtClipboardCopierTest, CopiesOnlyOnceTheKeysAreReleasedOrTheWaitRunsOut) {
    struct Case {
        const char* name;
        int heldQueries;
        bool heldAtSend;
    };
    for (const Case& c : {Case{"released", 3, false}, Case{"held past the bound", 1000, true}}) {
        SCOPED_TRACE(c.name);
        QGuiApplication::clipboard()->setMimeData(mimeOf(userClipboard));
        MemoryKeySynthesizer keys;
        keys.heldQueries = c.heldQueries;
        bool heldAtSend = false;
        keys.onSend = [&](auto) {
            heldAtSend = keys.heldQueries > 0;
            QGuiApplication::clipboard()->setText(QStringLiteral("copied"));
        };
        QtClipboardCopier copier(keys, {15, 5, 10});

        auto answer = copyWith(copier);

        ASSERT_TRUE(answer && *answer);
        EXPECT_EQ((*answer)->text, "copied");
        EXPECT_EQ(heldAtSend, c.heldAtSend);
        EXPECT_EQ(clipboardFormats(), userClipboard);
    }
}

TEST_F(QtClipboardCopierTest, WhatTheUserCopiedWhileTheKeysWereHeldIsWhatComesBack) {
    QGuiApplication::clipboard()->setMimeData(mimeOf(userClipboard));
    MemoryKeySynthesizer keys;
    keys.heldQueries = 5;
    keys.onSend = [](auto) { QGuiApplication::clipboard()->setText(QStringLiteral("copied")); };
    QtClipboardCopier copier(keys, {15, 5, 10});
    std::optional<std::optional<ClipboardCopy>> answer;
    copier.copyFromFocusedWindow([&answer](std::optional<ClipboardCopy> copy) { answer = std::move(copy); });
    const Formats newer = {{"text/plain", "copied by the user meanwhile"}};
    QGuiApplication::clipboard()->setMimeData(mimeOf(newer));
    QElapsedTimer timer;
    timer.start();
    while (!answer && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    ASSERT_TRUE(answer && *answer);
    EXPECT_EQ((*answer)->text, "copied");
    EXPECT_EQ(clipboardFormats(), newer);
}

TEST_F(QtClipboardCopierTest, SynthesisedCtrlCCopiesFromTheFocusedTextField) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setMimeData(mimeOf(userClipboard));
    QLineEdit field(QStringLiteral("hello world"));
    field.show();
    field.activateWindow();
    field.setFocus();
    field.setSelection(6, 5);
    QElapsedTimer timer;
    timer.start();
    while (!field.hasFocus() && timer.elapsed() < 3000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    ASSERT_TRUE(field.hasFocus());

    // The user still holds the modifiers of a hot key when the copy is asked for, and lets go later.
    Display* user = XOpenDisplay(nullptr);
    ASSERT_NE(user, nullptr);
    const KeyCode held[] = {XKeysymToKeycode(user, XK_Super_L), XKeysymToKeycode(user, XK_Alt_L)};
    for (KeyCode key : held)
        XTestFakeKeyEvent(user, key, True, CurrentTime);
    XSync(user, False);
    X11KeySynthesizer keys;
    EXPECT_TRUE(keys.keysHeld());
    QTimer::singleShot(100, [&] {
        for (KeyCode key : held)
            XTestFakeKeyEvent(user, key, False, CurrentTime);
        XSync(user, False);
    });
    QtClipboardCopier copier(keys);
    auto answer = copyWith(copier);
    EXPECT_FALSE(keys.keysHeld());
    XCloseDisplay(user);

    ASSERT_TRUE(answer && *answer);
    EXPECT_EQ((*answer)->text, "world");
    EXPECT_EQ(clipboardFormats(), userClipboard);
}

TEST_F(QtClipboardCopierTest, RefusesToReadFromAnOwnerThatNeverAnswers) {
    X11ClipboardOwnerProbe probe(300);
    MemoryKeySynthesizer keys;
    keys.onSend = [](auto) { QGuiApplication::clipboard()->setText(QStringLiteral("copied")); };
    QtClipboardCopier copier(keys);
    copier.setOwnerCheck([&probe](auto answered) { probe.probe(std::move(answered)); });

    // An owner that answers: the copy goes ahead.
    QGuiApplication::clipboard()->setMimeData(mimeOf(userClipboard));
    auto answer = copyWith(copier);
    ASSERT_TRUE(answer && *answer);
    EXPECT_EQ((*answer)->text, "copied");

    // An owner on a connection that nobody reads from.
    Display* mute = XOpenDisplay(nullptr);
    ASSERT_NE(mute, nullptr);
    Window window = XCreateSimpleWindow(mute, DefaultRootWindow(mute), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(mute, XInternAtom(mute, "CLIPBOARD", False), window, CurrentTime);
    XSync(mute, False);
    QElapsedTimer timer;
    timer.start();
    answer = copyWith(copier);
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(*answer, std::nullopt);
    EXPECT_LT(timer.elapsed(), 2000);
    EXPECT_EQ(keys.sent.size(), 1u); // only the first copy sent the keys
    XCloseDisplay(mute);
}
