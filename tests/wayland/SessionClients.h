#pragma once

#include "tests/platform/glib/SessionBusTesting.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace ondravell::test {

// Readiness bound for programs starting in the headless session; not a speed requirement.
constexpr auto sessionSettleLimit = std::chrono::seconds(20);

// True once `condition` holds, polled until `limit` has passed.
bool eventually(const std::function<bool()>& condition, std::chrono::milliseconds limit = sessionSettleLimit);

// Another program of the session, ended (SIGTERM, then waited for) when this object goes.
class SessionClient {
public:
    // Runs `program` with `arguments`; each "NAME=VALUE" of `environment` is set for it alone.
    SessionClient(const std::string& program, const std::vector<std::string>& arguments,
                  const std::vector<std::string>& environment = {});
    ~SessionClient();
    SessionClient(const SessionClient&) = delete;
    SessionClient& operator=(const SessionClient&) = delete;

    pid_t pid() const { return pid_; }
    bool running() const;
    // Sends `signal` and waits until the program ended.
    void end(int signal);

private:
    mutable pid_t pid_ = -1;
};

// PRIMARY as an X client of the session reads it (UTF-8); nullopt when nobody owns it or the owner
// does not answer within a second.
std::optional<std::string> x11PrimaryText();
// CLIPBOARD, read the same way (the compositor bridges Wayland's clipboard to X).
std::optional<std::string> x11ClipboardText();

// True when the X server puts the pointer at (`x`, `y`) of the root window.
bool x11PointerIsAt(int x, int y);

// The accessibility helper the program `program` runs: a child process of it, never another program's
// helper; nullopt while none runs.
std::optional<pid_t> accessibilityHelperOf(pid_t program);
// Whether a child of `program` ended and was left unreaped (a zombie).
bool hasZombieChildren(pid_t program);

// Switches the program's Shell extension (found by the Shell among the system's extensions) on or off
// through the Shell's settings.
void setShellExtensionEnabled(bool enabled);

} // namespace ondravell::test
