// Two figures of the selection toolbar in a headless GNOME Wayland session (run it through
// tests/wayland/headless-session.sh, see bench/wayland/run.sh):
//   1. a selection settled → the bar on screen: from the last change of PRIMARY (as an X client sees
//      it) to the bar's window being viewable, less the settle time, over `rounds` selections in a
//      native Wayland GTK 3 field;
//   2. replace through the field's editable text of a result of `kib` KiB, in a GTK 3 text view, from
//      the call to the answer.
// Prints the median and the largest of each. Arguments: ONDRAVELL_APP GTK_CLIENT [rounds] [kib].
// Under gnome-shell the program's Shell extension is switched on first, so that the bar waits for the
// pointer it reports.
#include "platform/atspi/AtspiFocusedText.h"
#include "platform/glib/ShellExtensionBus.h"
#include "tests/platform/x11/X11Windows.h"
#include "tests/wayland/MutterRemoteInput.h"
#include "tests/wayland/SessionClients.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <glib.h>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;
using namespace ondravell::test;
using Clock = std::chrono::steady_clock;

namespace {

constexpr double settleMs = 350;

bool barShown() {
    for (const auto& window : X11Windows::all())
        if (window.viewable && window.name == "Ondravell" && window.height <= 60)
            return true;
    return false;
}

void report(const char* what, std::vector<double> values) {
    if (values.empty()) {
        std::printf("%s: no measurement\n", what);
        return;
    }
    std::sort(values.begin(), values.end());
    std::printf("%s: median %.1f ms, max %.1f ms (%zu rounds)\n", what, values[values.size() / 2],
                values.back(), values.size());
}

// When PRIMARY last got a new owner, as an X client hears of it at once: its own connection, read on
// a thread of its own while the keys are being pressed.
class OwnerChanges {
public:
    OwnerChanges() : display_(XOpenDisplay(nullptr)) {
        int error = 0;
        XFixesQueryExtension(display_, &fixesEvent_, &error);
        // The toolbar follows new owners only: a selection given up is not a selection made.
        XFixesSelectSelectionInput(display_, DefaultRootWindow(display_), XA_PRIMARY,
                                   XFixesSetSelectionOwnerNotifyMask);
        XFlush(display_);
        thread_ = std::thread([this] {
            while (!stop_) {
                XEvent event;
                XNextEvent(display_, &event);
                if (event.type == fixesEvent_ + XFixesSelectionNotify &&
                    reinterpret_cast<const XFixesSelectionNotifyEvent&>(event).owner != None)
                    last_ = Clock::now().time_since_epoch().count();
            }
        });
    }
    ~OwnerChanges() {
        stop_ = true;
        // Any event wakes the reader: take PRIMARY for a moment from a window of its own.
        Display* other = XOpenDisplay(nullptr);
        ::Window window = XCreateSimpleWindow(other, DefaultRootWindow(other), 0, 0, 1, 1, 0, 0, 0);
        XSetSelectionOwner(other, XA_PRIMARY, window, CurrentTime);
        XCloseDisplay(other);
        thread_.join();
        XCloseDisplay(display_);
    }
    Clock::time_point last() const { return Clock::time_point(Clock::duration(last_.load())); }

private:
    Display* display_;
    int fixesEvent_ = 0;
    std::atomic<Clock::rep> last_{0};
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// Presses `keys` and waits for the bar to be `shown`; returns the milliseconds from the last PRIMARY
// owner change to that moment, or a negative value when it did not come.
double timeBar(const OwnerChanges& changes, const std::function<void()>& keys, bool shown) {
    keys();
    auto deadline = Clock::now() + std::chrono::seconds(5);
    while (Clock::now() < deadline) {
        if (barShown() == shown)
            return std::chrono::duration<double, std::milli>(Clock::now() - changes.last()).count();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s ONDRAVELL_APP GTK_CLIENT [rounds] [kib]\n", argv[0]);
        return 2;
    }
    const int rounds = argc > 3 ? std::atoi(argv[3]) : 20;
    const std::size_t kib = argc > 4 ? std::size_t(std::atoi(argv[4])) : 100;
    const fs::path root = std::getenv("ONDRAVELL_SESSION_ROOT");
    ::setenv("ONDRAVELL_CONTAINER", (root / "container").c_str(), 1);
    fs::create_directories(root / "container" / "Library" / "Application Support");
    std::ofstream(root / "container" / "Library" / "Application Support" / "settings.v1.json")
        << R"({"selectionEnabled": true, "selectionTriggerAuto": true, "selectionActionIDs": ["copyText"]})";

    MutterRemoteInput input;
    if (!input.ok()) {
        std::fprintf(stderr, "no remote-desktop input: %s\n", input.error().c_str());
        return 1;
    }
    const bool shell = nameHasOwner("org.gnome.Shell");
    if (shell) {
        setShellExtensionEnabled(true);
        if (!eventually([] { return ondravell::platform::ShellExtensionBus::answers(); })) {
            std::fprintf(stderr, "the Shell never exported the extension's object\n");
            return 1;
        }
    }
    XInitThreads();
    OwnerChanges changes;

    std::vector<double> barLatency;
    {
        SessionClient app(argv[1], {});
        std::this_thread::sleep_for(std::chrono::seconds(3));
        // Trailing blanks: selecting only them hides the bar again between rounds.
        SessionClient field(argv[2], {"words to select   ", ""}, {"GDK_BACKEND=wayland"});
        std::this_thread::sleep_for(std::chrono::seconds(2));
        constexpr unsigned esc = 1, shift = 42, left = 105, end = 107;
        // The Shell starts in its overview, which Esc leaves.
        if (shell)
            input.chord({esc});
        for (int round = 0; round < rounds + 1; ++round) {
            timeBar(
                changes,
                [&] {
                    input.chord({end});
                    input.chord({shift, left});
                    input.chord({shift, left});
                },
                false);
            const double ms = timeBar(
                changes, [&] { input.selectLineByKeys(); }, true);
            if (round > 0 && ms >= 0) // the first bar of a process loads its fonts and pictures
                barLatency.push_back(ms - settleMs);
        }
    }
    report(shell ? "selection settled -> bar at the extension's pointer, beyond the settle time"
                 : "selection settled -> bar on screen, beyond the settle time",
           barLatency);

    std::vector<double> replaceTimes;
    {
        ondravell::platform::AtspiFocusedText focused(ONDRAVELL_ACCESSIBILITY_HELPER);
        const std::string value(kib * 1024, 'x');
        std::uintmax_t held = 0;
        // A fresh view each round: a long line wraps, and the keys would no longer
        // select it whole.
        for (int round = 0; round < 5; ++round) {
            const fs::path fieldText = root / ("view-" + std::to_string(round) + ".txt");
            SessionClient view(argv[2], {"replace me", fieldText.string(), "multiline"},
                               {"GDK_BACKEND=wayland"});
            std::this_thread::sleep_for(std::chrono::seconds(2));
            input.selectLineByKeys();
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
            focused.refresh();
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            bool done = false, replaced = false;
            auto start = Clock::now();
            focused.replaceSelection("replace me", value, [&](bool ok) {
                done = true;
                replaced = ok;
            });
            while (!done)
                g_main_context_iteration(nullptr, TRUE);
            const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            if (replaced)
                replaceTimes.push_back(ms);
            else
                std::fprintf(stderr, "round %d: not replaced\n", round);
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            std::error_code error;
            held = fs::file_size(fieldText, error);
        }
        std::printf("the view holds %ju bytes after the last replace\n", held);
    }
    report("replace through the editable text", replaceTimes);
    return 0;
}
