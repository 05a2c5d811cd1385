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
#include <QWindow>
#include <gtest/gtest.h>
#include <map>
#include <thread>
// After GoogleTest, whose own names Xlib's macros would replace.
#include <X11/Xatom.h>
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

// Runs the event loop until `done` (bounded, so a broken build fails instead of hanging).
template <typename Done> bool runUntil(Done done) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    return done();
}

// Runs the event loop until the copier answers.
std::optional<std::optional<ClipboardCopy>> copyWith(ClipboardCopier& copier) {
    std::optional<std::optional<ClipboardCopy>> answer;
    copier.copyFromFocusedWindow([&answer](std::optional<ClipboardCopy> copy) { answer = std::move(copy); });
    runUntil([&answer] { return answer.has_value(); });
    return answer;
}

// Another application on the X server: a window of its own that takes the keyboard focus and the
// clipboard when told, and a thread that hands its text to whoever reads the clipboard (this process
// reads it synchronously, so it could not answer itself).
class OtherApplication {
public:
    explicit OtherApplication(QByteArray text) : text_(std::move(text)), display_(XOpenDisplay(nullptr)) {
        if (!display_)
            return;
        window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 10, 10, 0, 0, 0);
        clipboard_ = XInternAtom(display_, "CLIPBOARD", False);
        targets_ = XInternAtom(display_, "TARGETS", False);
        utf8_ = XInternAtom(display_, "UTF8_STRING", False);
        quit_ = XInternAtom(display_, "ONDRAVELL_TEST_QUIT", False);
        XMapWindow(display_, window_);
        XSync(display_, False);
        thread_ = std::thread([this] { serve(); });
    }
    ~OtherApplication() {
        if (!display_)
            return;
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window_;
        event.xclient.message_type = quit_;
        event.xclient.format = 32;
        XSendEvent(display_, window_, False, NoEventMask, &event);
        XFlush(display_);
        thread_.join();
        XCloseDisplay(display_);
    }
    OtherApplication(const OtherApplication&) = delete;
    OtherApplication& operator=(const OtherApplication&) = delete;

    bool ok() const { return display_ != nullptr; }
    void focus() {
        XSetInputFocus(display_, window_, RevertToParent, CurrentTime);
        XSync(display_, False);
    }
    void copy() {
        XSetSelectionOwner(display_, clipboard_, window_, CurrentTime);
        XSync(display_, False);
    }
    // Asks `window` to draw itself: an event that reaches this program after all it was told before.
    void expose(unsigned long window) {
        XEvent event{};
        event.xexpose.type = Expose;
        event.xexpose.window = window;
        event.xexpose.width = 1;
        event.xexpose.height = 1;
        XSendEvent(display_, window, False, ExposureMask, &event);
        XSync(display_, False);
    }

private:
    void serve() {
        for (;;) {
            XEvent event;
            XNextEvent(display_, &event);
            if (event.type == ClientMessage && event.xclient.message_type == quit_)
                return;
            if (event.type != SelectionRequest)
                continue;
            const XSelectionRequestEvent& request = event.xselectionrequest;
            XEvent reply{};
            reply.xselection.type = SelectionNotify;
            reply.xselection.requestor = request.requestor;
            reply.xselection.selection = request.selection;
            reply.xselection.target = request.target;
            reply.xselection.time = request.time;
            reply.xselection.property = request.property;
            if (request.target == targets_) {
                const Atom offered[] = {targets_, utf8_};
                XChangeProperty(display_, request.requestor, request.property, XA_ATOM, 32, PropModeReplace,
                                reinterpret_cast<const unsigned char*>(offered), 2);
            } else if (request.target == utf8_) {
                XChangeProperty(display_, request.requestor, request.property, utf8_, 8, PropModeReplace,
                                reinterpret_cast<const unsigned char*>(text_.constData()), int(text_.size()));
            } else {
                reply.xselection.property = None;
            }
            XSendEvent(display_, request.requestor, False, NoEventMask, &reply);
            XFlush(display_);
        }
    }

    QByteArray text_;
    Display* display_;
    Window window_ = 0;
    Atom clipboard_ = 0, targets_ = 0, utf8_ = 0, quit_ = 0;
    std::thread thread_;
};

// A window of this program that counts the times it is asked to draw itself.
class ExposedWindow : public QWindow {
public:
    ExposedWindow() {
        setFlags(Qt::Window | Qt::WindowDoesNotAcceptFocus);
        resize(10, 10);
    }
    int exposes = 0;

protected:
    void exposeEvent(QExposeEvent*) override { ++exposes; }
};

class QtClipboardCopierTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // The other applications of these tests serve their clipboard from threads of their own.
        XInitThreads();
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
    std::vector<bool> probed;
    copier.setOwnerCheck([&probe, &probed](auto answered) {
        probe.probe([&probed, answered = std::move(answered)](bool answers) {
            probed.push_back(answers);
            answered(answers);
        });
    });

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
    answer = copyWith(copier);
    // Refused by the probe's bounded question, not by a read that waited for the owner until it gave
    // up: the probe's is the only question the owner was ever asked.
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(*answer, std::nullopt);
    EXPECT_EQ(probed, (std::vector<bool>{true, false}));
    EXPECT_EQ(keys.sent.size(), 1u); // only the first copy sent the keys
    XSync(mute, False);
    int requests = 0;
    while (XPending(mute) > 0) {
        XEvent event;
        XNextEvent(mute, &event);
        requests += event.type == SelectionRequest;
    }
    EXPECT_EQ(requests, 1);
    XCloseDisplay(mute);
}

TEST_F(QtClipboardCopierTest, ACopyMadeAfterTheWatchGaveUpIsUndoneOnlyWhenItIsTheAskedApplications) {
    struct Case {
        const char* name;
        bool othersChangeFirst;
    };
    for (const Case& c : {Case{"the late copy alone", false}, Case{"another application first", true}}) {
        SCOPED_TRACE(c.name);
        QClipboard* clipboard = QGuiApplication::clipboard();
        OtherApplication holder("the user's text"), asked("the selection, copied late"),
            other("copied in another application");
        ASSERT_TRUE(holder.ok() && asked.ok() && other.ok());
        // A change of the clipboard reaches this program before the drawing asked for after it, and the
        // copier has judged it once the window has drawn; so has every change still on its way.
        ExposedWindow window;
        window.show();
        ASSERT_TRUE(runUntil([&window] { return window.exposes > 0; }));
        auto change = [&window](OtherApplication& by) {
            const int before = window.exposes;
            by.copy();
            by.expose(window.winId());
            return runUntil([&] { return window.exposes > before; });
        };
        // Qt misses that it lost the clipboard when another client took it within the millisecond of
        // its own last write (as in the test before): cleared, it owns nothing, as the server says.
        // Synced, so that the clearing is not left behind the holder's copy.
        clipboard->clear();
        QGuiApplication::sync();
        // The user's clipboard is another application's.
        ASSERT_TRUE(change(holder));
        asked.focus();
        X11ClipboardOwnerProbe probe;
        MemoryKeySynthesizer keys; // the application copies only once the watch is over
        // A window long enough that no pause of a loaded machine ends it before the change comes.
        QtClipboardCopier copier(keys, {15, 20, 100, 10, 60000});
        copier.setApplications(
            {[&probe] { return probe.focusedClient(); }, [&probe] { return probe.clipboardOwnerClient(); }});
        auto answer = copyWith(copier);
        ASSERT_TRUE(answer.has_value());
        ASSERT_EQ(*answer, std::nullopt);

        if (c.othersChangeFirst) {
            ASSERT_TRUE(change(other));
            EXPECT_FALSE(clipboard->ownsClipboard());
            EXPECT_EQ(clipboard->text(), QStringLiteral("copied in another application"));
        } else {
            ASSERT_TRUE(change(asked));
            EXPECT_EQ(clipboard->text(), QStringLiteral("the user's text"));
        }
    }
}
