#include "platform/atspi/HelperProcess.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <glib.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

namespace ondravell::platform {

namespace {

// How a reaped process ended, for the log.
std::string endOf(int waitStatus) {
    if (WIFSIGNALED(waitStatus))
        return "was ended by signal " + std::to_string(WTERMSIG(waitStatus)) + " (" +
               ::strsignal(WTERMSIG(waitStatus)) + ")";
    if (WIFEXITED(waitStatus))
        return "exited with status " + std::to_string(WEXITSTATUS(waitStatus));
    return "ended";
}

std::string baseName(const std::string& program) {
    const std::size_t slash = program.rfind('/');
    return slash == std::string::npos ? program : program.substr(slash + 1);
}

} // namespace

// The child watch's link back to its owner, cut when the owner goes first: the watch still reaps then.
struct HelperProcess::ChildWatch {
    HelperProcess* owner;
};

HelperProcess::HelperProcess(std::string program, Events events, OneShotTimers& timers, Clock now)
    : program_(std::move(program)), events_(std::move(events)), timers_(timers), now_(std::move(now)) {
    start();
}

HelperProcess::~HelperProcess() {
    if (watch_)
        watch_->owner = nullptr;
    if (pendingStart_)
        timers_.cancel(*pendingStart_);
}

void HelperProcess::restart() {
    // Not reaped yet, so the id is still this helper's and no other process's.
    if (pid_)
        ::kill(*pid_, SIGKILL);
}

void HelperProcess::start() {
    schedule_.started(now_());
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
        scheduleStart(baseName(program_) + " could not be started: " + g_strerror(errno));
        return;
    }
    const gchar* argv[] = {program_.c_str(), nullptr};
    GPid pid = 0;
    GError* error = nullptr;
    const bool started = g_spawn_async_with_pipes_and_fds(
        nullptr, argv, nullptr, G_SPAWN_DO_NOT_REAP_CHILD, nullptr, nullptr, ends[1], ends[1], -1, nullptr,
        nullptr, 0, &pid, nullptr, nullptr, nullptr, &error);
    ::close(ends[1]);
    if (!started) {
        const std::string why = error->message;
        g_error_free(error);
        ::close(ends[0]);
        scheduleStart(baseName(program_) + " could not be started: " + why);
        return;
    }
    pid_ = pid;
    watch_ = new ChildWatch{this};
    g_child_watch_add_full(
        G_PRIORITY_DEFAULT, pid,
        [](GPid child, gint status, gpointer data) {
            g_spawn_close_pid(child);
            auto* watch = static_cast<ChildWatch*>(data);
            if (HelperProcess* owner = std::exchange(watch->owner, nullptr)) {
                owner->watch_ = nullptr;
                owner->ended(status);
            }
        },
        watch_, [](gpointer data) { delete static_cast<ChildWatch*>(data); });
    ::fcntl(ends[0], F_SETFL, ::fcntl(ends[0], F_GETFL) | O_NONBLOCK);
    if (events_.started)
        events_.started(ends[0]);
}

void HelperProcess::ended(int waitStatus) {
    const std::string why = baseName(program_) + " (pid " + std::to_string(*pid_) + ") " + endOf(waitStatus);
    pid_.reset();
    if (events_.ended)
        events_.ended();
    scheduleStart(why);
}

void HelperProcess::scheduleStart(const std::string& why) {
    const std::chrono::milliseconds delay = schedule_.delayAfterEnd(now_());
    if (delay.count() == 0) {
        g_warning("%s; starting it again now", why.c_str());
        start();
        return;
    }
    g_warning("%s; starting it again in %lld s", why.c_str(),
              static_cast<long long>(std::chrono::ceil<std::chrono::seconds>(delay).count()));
    pendingStart_ = timers_.schedule(delay, [this] {
        pendingStart_.reset();
        start();
    });
}

} // namespace ondravell::platform
