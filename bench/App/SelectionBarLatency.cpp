// Mouse-up to selection bar on screen. Run by selection-toolbar.sh inside a display where the program
// and a text field client run: drags over the field through XTest, takes the time of each release and
// of the bar's MapNotify, and prints the spread without the program's fixed read delay. A window name
// as the last argument gives that window the keyboard first, as a window manager would.
// Usage: selection-bar-latency <rounds> <fromX> <fromY> <toX> <toY> [window name]
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr double readDelayMs = 50;

std::string nameOf(Display* display, Window window) {
    char* name = nullptr;
    std::string result;
    if (XFetchName(display, window, &name) && name) {
        result = name;
        XFree(name);
    }
    return result;
}

// Waits for the bar to be mapped (or unmapped); false after 5 s.
bool waitFor(Display* display, int type, Clock::time_point& when) {
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (Clock::now() < deadline) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            Window window = type == MapNotify ? event.xmap.window : event.xunmap.window;
            if (event.type == type && nameOf(display, window) == "Ondravell") {
                when = Clock::now();
                return true;
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return false;
}

// The first window below the root named `name`, depth first.
std::optional<Window> windowNamed(Display* display, Window parent, const std::string& name) {
    Window root = None, up = None, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, parent, &root, &up, &children, &count))
        return std::nullopt;
    std::optional<Window> found;
    for (unsigned int i = 0; i < count && !found; ++i)
        found = nameOf(display, children[i]) == name ? children[i] : windowNamed(display, children[i], name);
    if (children)
        XFree(children);
    return found;
}

void activate(Display* display, Window window) {
    Atom active = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    XChangeProperty(display, DefaultRootWindow(display), active, XA_WINDOW, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&window), 1);
    XSetInputFocus(display, window, RevertToPointerRoot, CurrentTime);
    XSync(display, False);
}

void moveTo(Display* display, int x, int y) {
    XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
    XFlush(display);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 6 && argc != 7) {
        std::fprintf(stderr, "usage: %s rounds fromX fromY toX toY [window name]\n", argv[0]);
        return 2;
    }
    const int rounds = std::atoi(argv[1]);
    const int fromX = std::atoi(argv[2]), fromY = std::atoi(argv[3]);
    const int toX = std::atoi(argv[4]), toY = std::atoi(argv[5]);
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 1;
    if (argc == 7) {
        std::optional<Window> window = windowNamed(display, DefaultRootWindow(display), argv[6]);
        if (!window) {
            std::fprintf(stderr, "no window named %s\n", argv[6]);
            return 1;
        }
        activate(display, *window);
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    std::vector<double> samples;
    for (int round = 0; round < rounds; ++round) {
        moveTo(display, fromX, fromY);
        XTestFakeButtonEvent(display, 1, True, CurrentTime);
        for (int step = 1; step <= 8; ++step) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            moveTo(display, fromX + (toX - fromX) * step / 8, fromY + (toY - fromY) * step / 8);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        XSync(display, False);
        while (XPending(display) > 0) {
            XEvent stale;
            XNextEvent(display, &stale);
        }
        const auto released = Clock::now();
        XTestFakeButtonEvent(display, 1, False, CurrentTime);
        XFlush(display);
        Clock::time_point shown;
        if (waitFor(display, MapNotify, shown))
            samples.push_back(std::chrono::duration<double, std::milli>(shown - released).count() -
                              readDelayMs);
        else
            std::fprintf(stderr, "round %d: no bar\n", round);
        // A plain click elsewhere hides the bar before the next round.
        moveTo(display, 1000, 700);
        XTestFakeButtonEvent(display, 1, True, CurrentTime);
        XTestFakeButtonEvent(display, 1, False, CurrentTime);
        XFlush(display);
        Clock::time_point hidden;
        waitFor(display, UnmapNotify, hidden);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    XCloseDisplay(display);
    if (samples.empty()) {
        std::printf("no bar after any of %d drags\n", rounds);
        return 1;
    }
    const double first = samples.front();
    std::sort(samples.begin(), samples.end());
    std::printf("mouse-up to bar on screen, without the %.0f ms read delay: bar after %zu of %d drags, "
                "first %.1f ms, min %.1f ms, median %.1f ms, max %.1f ms\n",
                readDelayMs, samples.size(), rounds, first, samples.front(), samples[samples.size() / 2],
                samples.back());
    return int(samples.size()) == rounds ? 0 : 1;
}
