#pragma once

#include "platform/GlobalMouseMonitorTable.h"
#include "platform/GlobalMouseMonitors.h"

#include <map>
#include <optional>

typedef struct _GDBusConnection GDBusConnection;

namespace ondravell::platform {

// Mouse monitors for a Wayland session: `x11` reports what the X server sees (input over X11 windows,
// the program's own among them), and the program's Shell extension adds the presses and scrolls over
// every other window and the Shell's own panels (its "Pointer" signal). The extension tells no
// release, so left releases are X11's alone; its events carry no server time (0). Main thread only
// (the GLib main context, where the signal arrives).
class ShellGlobalMouseMonitors final : public GlobalMouseMonitors {
public:
    explicit ShellGlobalMouseMonitors(GlobalMouseMonitors& x11);
    ~ShellGlobalMouseMonitors() override;
    ShellGlobalMouseMonitors(const ShellGlobalMouseMonitors&) = delete;
    ShellGlobalMouseMonitors& operator=(const ShellGlobalMouseMonitors&) = delete;

    // nullopt only when neither the X server nor the session bus can report anything.
    std::optional<Token> install(Kind kind, Handler handler) override;
    void remove(Token token) override;

    // A gesture the extension reported: "press", "right-press" or "scroll"; `overX11Window` when an
    // X11 window was under the pointer, which the X server reports already.
    void reported(const char* gesture, double x, double y, bool overX11Window);

private:
    GlobalMouseMonitors& x11_;
    GDBusConnection* connection_ = nullptr;
    unsigned subscription_ = 0;
    GlobalMouseMonitorTable table_;
    // The X server's token for each of ours, where it installed one.
    std::map<Token, std::optional<Token>> x11Tokens_;
};

} // namespace ondravell::platform
