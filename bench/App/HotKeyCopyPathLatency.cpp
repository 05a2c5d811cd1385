// Hot key to clipboard against the real program and a real file manager: makes the given window the
// active one, presses Super+Shift+C as another X client and measures until the clipboard holds the
// expected text. Prints one line per round and the median.
// Usage: hotkey-copy-path-latency <window id> <expected text> [rounds]
#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTimer>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void setActiveWindow(Display* display, unsigned long window) {
    Atom active = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    ::Window id = window;
    XChangeProperty(display, DefaultRootWindow(display), active, XA_WINDOW, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&id), 1);
    XSetInputFocus(display, id, RevertToParent, CurrentTime);
    XFlush(display);
}

void pressHotKey(Display* display) {
    KeyCode keys[] = {XKeysymToKeycode(display, XK_Super_L), XKeysymToKeycode(display, XK_Shift_L),
                      XKeysymToKeycode(display, XK_c)};
    for (KeyCode key : keys)
        XTestFakeKeyEvent(display, key, True, CurrentTime);
    for (int i = 2; i >= 0; --i)
        XTestFakeKeyEvent(display, keys[i], False, CurrentTime);
    XFlush(display);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3)
        return 2;
    QGuiApplication app(argc, argv);
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 1;
    const unsigned long window = std::strtoul(argv[1], nullptr, 0);
    const QString expected = QString::fromUtf8(argv[2]);
    const int rounds = argc > 3 ? std::atoi(argv[3]) : 10;
    std::vector<qint64> times;
    QElapsedTimer timer;
    bool waiting = false;

    auto next = [&] {
        if (static_cast<int>(times.size()) >= rounds) {
            std::sort(times.begin(), times.end());
            std::printf("median %lld ms, max %lld ms over %d rounds\n",
                        static_cast<long long>(times[times.size() / 2]), static_cast<long long>(times.back()),
                        rounds);
            QGuiApplication::quit();
            return;
        }
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        QTimer::singleShot(300, [&] {
            setActiveWindow(display, window);
            waiting = true;
            timer.start();
            pressHotKey(display);
            QTimer::singleShot(3000, [&, round = times.size()] {
                if (waiting && times.size() == round) {
                    std::printf("round %zu: no copy within 3 s (clipboard: %s)\n", round,
                                qPrintable(QGuiApplication::clipboard()->text()));
                    QGuiApplication::exit(1);
                }
            });
        });
    };
    QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, [&] {
        if (!waiting || QGuiApplication::clipboard()->text() != expected)
            return;
        waiting = false;
        times.push_back(timer.elapsed());
        std::printf("round %zu: %lld ms\n", times.size(), static_cast<long long>(times.back()));
        QTimer::singleShot(500, next);
    });
    QTimer::singleShot(0, next);
    int status = app.exec();
    XCloseDisplay(display);
    return status;
}
