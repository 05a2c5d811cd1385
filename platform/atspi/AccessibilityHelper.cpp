// ondravell-accessibility: the program's questions to the accessibility bus, in a process of its own.
// The program (AtspiFocusedText) starts it with one end of a socket pair as its standard input and
// output and speaks AccessibilityMessage lines over it; the helper ends when the program closes its end
// (or ends itself).
//
// This process has one thread: main's, which runs GLib's default main context. libatspi, every
// connection it opens (the bus's and each application's private one, which it always sets up on the
// default context) and the socket are used from this thread alone, by the loop below and by the
// questions that loop calls. Nothing here starts a thread, and no library it links starts one that
// touches libatspi, so no second thread can reach a libatspi connection.
#include "platform/atspi/AccessibilityMessage.h"
#include "platform/atspi/AtspiFocusTracker.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <glib.h>
#include <string>
#include <unistd.h>

using namespace ondravell::platform;

namespace {

constexpr int programSocket = STDIN_FILENO;
// When the helper starts afresh (see Helper::worn): about 0.8 MB held for applications gone, or as
// much for objects focused, once the program asked nothing for a while (a bar shown from the text
// focused now is either used by then or long forgotten: a renewed helper no longer knows that text);
// looked at every few seconds.
constexpr std::uint64_t renewalApplications = 200;
constexpr std::uint64_t renewalFocusChanges = 4000;
constexpr std::chrono::seconds renewalQuietTime{120};
constexpr guint renewalCheckSeconds = 5;

// Writes the whole line; a program that went away is noticed by the read instead.
void send(const std::vector<std::string>& fields) {
    const std::string line = AccessibilityMessage::encode(fields);
    std::size_t written = 0;
    while (written < line.size()) {
        ssize_t n = ::write(STDOUT_FILENO, line.data() + written, line.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        written += std::size_t(n);
    }
}

std::vector<std::string> focusFields(const std::optional<FocusedText::Focus>& focus,
                                     const char* tag = "focus") {
    if (!focus)
        return {tag};
    return {tag, focus->pid ? std::to_string(*focus->pid) : "", focus->password ? "1" : "0",
            focus->application};
}

struct Helper {
    AtspiFocusTracker tracker{
        [](const std::optional<FocusedText::Focus>& focus) { send(focusFields(focus)); },
        [] { send({"lost"}); }};
    GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
    std::string input;
    // While requests are answered: the loop may run inside, for the bus's events.
    bool answering = false;
    std::chrono::steady_clock::time_point lastRequest = std::chrono::steady_clock::now();

    // Answers the requests read together, in order. A refresh that a later refresh or settled request
    // of the same batch overtook is dropped: the program asks on every change of PRIMARY, and
    // requests that came while one was answered must not each be answered in turn.
    void answer(const std::vector<std::vector<std::string>>& requests) {
        auto asksFocus = [](const std::vector<std::string>& request) {
            return request[0] == "refresh" || request[0] == "settled";
        };
        for (auto request = requests.begin(); request != requests.end(); ++request) {
            if ((*request)[0] == "refresh" && std::any_of(std::next(request), requests.end(), asksFocus))
                continue;
            answer(*request);
        }
    }

    // Whether libatspi holds enough that it never gives back (about 4 kB for every application that
    // left the bus, its private connection to the application among it, and a little for each object
    // that took the focus) for the helper to start afresh.
    bool worn() const {
        const AtspiFocusTracker::Met met = tracker.met();
        return met.applicationsGone >= renewalApplications || met.focusChanges >= renewalFocusChanges;
    }

    // Runs this program again in this process, between requests: the socket to the program (standard
    // input and output) stays open, no answer is owed, and everything libatspi held goes. The new
    // helper learns the focus again from the next events, and from the application the program names;
    // the text a replace would go into it learns from the next selection.
    void renewWhenWorn() {
        if (answering || !input.empty() || !worn() ||
            std::chrono::steady_clock::now() - lastRequest < renewalQuietTime)
            return;
        char path[] = "/proc/self/exe";
        char* argv[] = {path, nullptr};
        ::execv(path, argv);
    }

    void answer(const std::vector<std::string>& request) {
        if (request[0] == "refresh") {
            tracker.refresh(AccessibilityMessage::windowProcess(request));
        } else if (request[0] == "settled") {
            // The focus events already received go first: the loop runs the bus's sources, while this
            // socket's own watch, being dispatched, is not run again inside it. A bound keeps a bus
            // that never falls quiet from holding the answer.
            for (int i = 0; i < 1000 && g_main_context_iteration(nullptr, FALSE); ++i) {
            }
            if (tracker.refresh(AccessibilityMessage::windowProcess(request)))
                send(focusFields(tracker.focus(), "settled"));
            else
                send({"settled", AccessibilityMessage::unknownFocus});
        } else if (request[0] == "extents") {
            std::optional<FocusedText::Rect> rect = tracker.extents();
            // Whole pixels, as the bus gives them, so that no locale's decimal mark comes in between.
            auto pixels = [](double value) { return std::to_string(std::llround(value)); };
            if (rect)
                send(
                    {"extents", pixels(rect->x), pixels(rect->y), pixels(rect->width), pixels(rect->height)});
            else
                send({"extents"});
        } else if (request[0] == "replace") {
            const bool replaced = request.size() == 3 && tracker.replace(request[1], request[2]);
            send({"replaced", replaced ? "1" : "0"});
        }
    }

    // False once the program closed its end.
    bool read() {
        char buffer[65536];
        ssize_t n = ::read(programSocket, buffer, sizeof buffer);
        if (n < 0)
            return errno == EINTR || errno == EAGAIN;
        if (n == 0)
            return false;
        input.append(buffer, std::size_t(n));
        lastRequest = std::chrono::steady_clock::now();
        answering = true;
        answer(AccessibilityMessage::takeLines(input));
        answering = false;
        return true;
    }
};

} // namespace

int main() {
    // A program gone is seen as the end of its input; a write into its closed end must not end us first.
    std::signal(SIGPIPE, SIG_IGN);
    Helper helper;
    // Without an accessibility bus every question is answered with nothing, and none is asked.
    helper.tracker.start();
    GIOChannel* channel = g_io_channel_unix_new(programSocket);
    g_io_add_watch(
        channel, GIOCondition(G_IO_IN | G_IO_HUP | G_IO_ERR),
        [](GIOChannel*, GIOCondition, gpointer data) -> gboolean {
            auto* helper = static_cast<Helper*>(data);
            if (helper->read())
                return G_SOURCE_CONTINUE;
            g_main_loop_quit(helper->loop);
            return G_SOURCE_REMOVE;
        },
        &helper);
    g_timeout_add_seconds(
        renewalCheckSeconds,
        [](gpointer data) -> gboolean {
            static_cast<Helper*>(data)->renewWhenWorn();
            return G_SOURCE_CONTINUE;
        },
        &helper);
    g_main_loop_run(helper.loop);
    g_io_channel_unref(channel);
    g_main_loop_unref(helper.loop);
    return 0;
}
