#pragma once

#include <functional>

namespace ondravell::platform {

// Where the program's own GNOME Shell extension answers on the session bus (inside the Shell's
// process, under the Shell's name), and whether it does. It answers only the owner of the program's
// well-known name.
struct ShellExtensionBus {
    static constexpr const char* busName = "org.gnome.Shell";
    static constexpr const char* objectPath = "/K3WQ9ZD7TM/dev/ondravell/Shell";
    static constexpr const char* interfaceName = "K3WQ9ZD7TM.dev.ondravell.Shell";
    // How long a call may take: the Shell answers from its main loop at once, or it is stuck.
    static constexpr int callTimeoutMs = 300;

    // True when the Shell exports the extension's object now (its introspection names the interface,
    // which the Shell tells anyone).
    static bool answers();
    // The same question without waiting: `done` hears the answer from GLib's default main context
    // (false without a session bus, or when no answer came within `callTimeoutMs`).
    static void askWhetherAnswers(std::function<void(bool)> done);
};

} // namespace ondravell::platform
