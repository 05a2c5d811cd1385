#include "platform/atspi/AtspiFocusedText.h"

#include "platform/atspi/AccessibilityMessage.h"
#include "platform/atspi/HelperProcess.h"
#include "platform/glib/GlibOneShotTimers.h"

#include <cerrno>
#include <deque>
#include <glib.h>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace ondravell::platform {

namespace {

// Runs `task` once from GLib's default main context, which the program's event loop runs: callers hear
// their answers there, never from inside their own call.
void post(std::function<void()> task) {
    g_idle_add_full(
        G_PRIORITY_DEFAULT,
        [](gpointer data) {
            (*static_cast<std::function<void()>*>(data))();
            return G_SOURCE_REMOVE;
        },
        new std::function<void()>(std::move(task)),
        [](gpointer data) { delete static_cast<std::function<void()>*>(data); });
}

// What a "focus" or "settled" line says.
std::optional<FocusedText::Focus> focusFrom(const std::vector<std::string>& fields) {
    if (fields.size() != 4)
        return std::nullopt;
    FocusedText::Focus focus;
    focus.pid = AccessibilityMessage::number(fields[1]);
    focus.password = fields[2] == "1";
    focus.application = fields[3];
    return focus;
}

// Whether a "settled" answer says that the application worked in did not answer the helper.
bool unknown(const std::vector<std::string>& answer) {
    return answer.size() == 2 && answer[1] == AccessibilityMessage::unknownFocus;
}

} // namespace

struct AtspiFocusedText::Helper {
    // The program's end of the socket to the helper; -1 while there is no helper.
    int socket = -1;
    // Whether the helper on `socket` said anything yet: it reached the bus (or found none) and answers.
    bool answered = false;
    // Heard when the socket fails while the helper may live on: it is of no use any more.
    std::function<void()> broken;
    guint readWatch = 0;
    guint writeWatch = 0;
    std::string input;
    std::string output;
    std::optional<Focus> current;
    // Whether `current` is what a helper before this one knew. A new helper has not seen the focus
    // events sent before it listened, and not every application tells it when asked (GTK 4 searches no
    // objects for it), so its "nothing focused" may only mean that it does not know: what was known
    // stands until the new helper names a focus itself.
    bool inherited = false;
    std::function<void()> selectionLost;
    std::function<std::optional<std::int64_t>()> windowProcess;
    // Who hears each answer still to come, in the order asked: the answer's fields, or nullptr when the
    // helper went away first.
    std::deque<std::function<void(const std::vector<std::string>*)>> waiting;

    ~Helper() { close(); }

    // A new helper runs on `helperSocket`; it is asked at once for the focus, so that what `focus`
    // says is its answer from the start.
    void connect(int helperSocket) {
        if (socket >= 0)
            gone();
        socket = helperSocket;
        readWatch = watch(G_IO_IN, [](Helper& helper) { return helper.read(); });
        ask(focusRequest("settled"), [this](const std::vector<std::string>* answer) {
            if (answer && !unknown(*answer))
                told(focusFrom(*answer));
        });
    }

    // A "settled" or "refresh" question, with the process of the window that has the keyboard when it
    // is known: the helper asks that application first.
    std::vector<std::string> focusRequest(const char* kind) const {
        std::optional<std::int64_t> pid = windowProcess ? windowProcess() : std::nullopt;
        if (!pid)
            return {kind};
        return {kind, std::to_string(*pid)};
    }

    // The helper ended: what it said before is heard, then its socket is closed.
    void ended() {
        if (socket < 0)
            return;
        receive();
        gone();
    }

    guint watch(GIOCondition condition, bool (*ready)(Helper&)) {
        struct Watch {
            Helper* helper;
            bool (*ready)(Helper&);
        };
        GIOChannel* channel = g_io_channel_unix_new(socket);
        const guint id = g_io_add_watch_full(
            channel, G_PRIORITY_DEFAULT, GIOCondition(condition | G_IO_HUP | G_IO_ERR),
            [](GIOChannel*, GIOCondition, gpointer data) -> gboolean {
                auto* watch = static_cast<Watch*>(data);
                return watch->ready(*watch->helper) ? G_SOURCE_CONTINUE : G_SOURCE_REMOVE;
            },
            new Watch{this, ready}, [](gpointer data) { delete static_cast<Watch*>(data); });
        g_io_channel_unref(channel);
        return id;
    }

    void close() {
        for (guint* id : {&readWatch, &writeWatch}) {
            if (*id)
                g_source_remove(*id);
            *id = 0;
        }
        if (socket >= 0)
            ::close(socket);
        socket = -1;
    }

    // The helper ended (or never started): every answer still awaited is "nothing", and a selection it
    // watched is over for us, since no helper can tell any more when it is lost.
    void gone() {
        close();
        inherited = true;
        answered = false;
        for (auto& hear : waiting)
            post([hear = std::move(hear)] { hear(nullptr); });
        waiting.clear();
        if (selectionLost)
            selectionLost();
    }

    // What the helper says has the focus now.
    void told(std::optional<Focus> focus) {
        if (!focus && inherited)
            return;
        current = std::move(focus);
        inherited = false;
    }

    // False once the helper is gone (the watch then ends); what it said before is heard first.
    bool read() {
        if (receive())
            return true;
        readWatch = 0;
        gone();
        if (broken)
            broken();
        return false;
    }

    // Hears every line the helper sent so far; false once its end is closed.
    bool receive() {
        char buffer[65536];
        bool open = true;
        while (open) {
            ssize_t n = ::recv(socket, buffer, sizeof buffer, 0);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
                break;
            if (n > 0)
                input.append(buffer, std::size_t(n));
            open = n > 0;
        }
        for (std::vector<std::string>& fields : AccessibilityMessage::takeLines(input)) {
            answered = true;
            if (fields[0] == "focus") {
                told(focusFrom(fields));
            } else if (fields[0] == "lost") {
                if (selectionLost)
                    selectionLost();
            } else if (!waiting.empty()) {
                auto hear = std::move(waiting.front());
                waiting.pop_front();
                hear(&fields);
            }
        }
        return open;
    }

    // False once everything was written or the helper is gone (the watch then ends).
    bool write() {
        while (!output.empty()) {
            ssize_t n = ::send(socket, output.data(), output.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
                if (!writeWatch)
                    writeWatch = watch(G_IO_OUT, [](Helper& helper) { return helper.write(); });
                return true;
            }
            if (n < 0) {
                writeWatch = 0;
                gone();
                if (broken)
                    broken();
                return false;
            }
            output.erase(0, std::size_t(n));
        }
        writeWatch = 0;
        return false;
    }

    // Sends `request`; `hear` (when given) is told its answer.
    void ask(const std::vector<std::string>& request,
             std::function<void(const std::vector<std::string>*)> hear = nullptr) {
        if (socket < 0) {
            if (hear)
                post([hear = std::move(hear)] { hear(nullptr); });
            return;
        }
        if (hear)
            waiting.push_back(std::move(hear));
        const bool idle = output.empty();
        output += AccessibilityMessage::encode(request);
        // A write already waiting for room carries this one along.
        if (idle)
            write();
    }
};

AtspiFocusedText::AtspiFocusedText(const std::string& helperProgram)
    : helper_(std::make_unique<Helper>()), ownTimers_(std::make_unique<GlibOneShotTimers>()) {
    Helper& helper = *helper_;
    process_ = std::make_unique<HelperProcess>(
        helperProgram,
        HelperProcess::Events{[&helper](int socket) { helper.connect(socket); },
                              [&helper] { helper.ended(); }},
        *ownTimers_, [] {
            return std::chrono::duration_cast<std::chrono::milliseconds>(
                std::chrono::steady_clock::now().time_since_epoch());
        });
    // A helper that closed its end while it lives on answers nothing more: another takes its place.
    helper.broken = [process = process_.get()] { process->restart(); };
}

AtspiFocusedText::~AtspiFocusedText() = default;

std::optional<FocusedText::Focus> AtspiFocusedText::focus() {
    return helper_->current;
}

bool AtspiFocusedText::answers() {
    return helper_->answered;
}

std::optional<int> AtspiFocusedText::helperPid() const {
    return process_->pid();
}

void AtspiFocusedText::settledFocus(std::function<void(std::optional<Focus>, bool)> done) {
    // Whichever comes first, the answer or the end of the wait, is heard; the other finds `done` gone.
    using Done = std::function<void(std::optional<Focus>, bool)>;
    auto waiting = std::make_shared<Done>(std::move(done));
    const guint limit = g_timeout_add_full(
        G_PRIORITY_DEFAULT, settledFocusLimitMs,
        [](gpointer data) {
            auto& waiting = *static_cast<std::shared_ptr<Done>*>(data);
            if (auto done = std::exchange(*waiting, nullptr))
                done(std::nullopt, false);
            return G_SOURCE_REMOVE;
        },
        new std::shared_ptr(waiting),
        [](gpointer data) { delete static_cast<std::shared_ptr<Done>*>(data); });
    helper_->ask(focusRequest("settled"), [this, waiting, limit](const std::vector<std::string>* answer) {
        auto done = std::exchange(*waiting, nullptr);
        if (!done)
            return;
        g_source_remove(limit);
        // No helper answered (it ended, or is being started again): nothing about the focus is known.
        if (!answer) {
            done(std::nullopt, false);
            return;
        }
        // The application the user works in did not answer the helper: nothing can be vouched for.
        if (unknown(*answer)) {
            done(std::nullopt, false);
            return;
        }
        helper_->told(focusFrom(*answer));
        done(helper_->current, true);
    });
}

void AtspiFocusedText::setSelectionLostHandler(std::function<void()> handler) {
    helper_->selectionLost = std::move(handler);
}

void AtspiFocusedText::setFocusedWindowProcess(std::function<std::optional<std::int64_t>()> process) {
    helper_->windowProcess = std::move(process);
}

std::vector<std::string> AtspiFocusedText::focusRequest(const char* kind) const {
    return helper_->focusRequest(kind);
}

void AtspiFocusedText::refresh() {
    helper_->ask(focusRequest("refresh"));
}

void AtspiFocusedText::selectionExtents(std::function<void(std::optional<Rect>)> done) {
    helper_->ask({"extents"}, [done = std::move(done)](const std::vector<std::string>* answer) {
        std::optional<Rect> rect;
        if (answer && answer->size() == 5) {
            auto x = AccessibilityMessage::number((*answer)[1]),
                 y = AccessibilityMessage::number((*answer)[2]),
                 width = AccessibilityMessage::number((*answer)[3]),
                 height = AccessibilityMessage::number((*answer)[4]);
            if (x && y && width && height)
                rect = Rect{double(*x), double(*y), double(*width), double(*height)};
        }
        done(rect);
    });
}

void AtspiFocusedText::replaceSelection(std::string selected, std::string value,
                                        std::function<void(bool)> done) {
    helper_->ask({"replace", std::move(selected), std::move(value)},
                 [done = std::move(done)](const std::vector<std::string>* answer) {
                     done(answer && answer->size() == 2 && (*answer)[1] == "1");
                 });
}

} // namespace ondravell::platform
