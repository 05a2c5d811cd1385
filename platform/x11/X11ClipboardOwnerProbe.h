#pragma once

#include "platform/x11/X11EventConnection.h"

#include <QTimer>
#include <functional>
#include <optional>

namespace ondravell::platform {

// Asks the CLIPBOARD selection's owner which formats it offers, on a connection of its own, and
// reports whether it answered within `timeoutMs`. Toolkits read the clipboard synchronously with a
// long timeout of their own: an owner that never answers would freeze the program for that long.
// It also tells which X client owns the clipboard and which one the keyboard focus is in.
class X11ClipboardOwnerProbe {
public:
    explicit X11ClipboardOwnerProbe(int timeoutMs = 300);
    ~X11ClipboardOwnerProbe();
    X11ClipboardOwnerProbe(const X11ClipboardOwnerProbe&) = delete;
    X11ClipboardOwnerProbe& operator=(const X11ClipboardOwnerProbe&) = delete;

    // Calls `handler` once on the event loop: true when the clipboard has no owner or its owner
    // answered in time. A new probe ends the previous one with false.
    void probe(std::function<void(bool answers)> handler);

    // The X client (the connection to the server that an application's windows and its clipboard
    // share) of the window with the keyboard focus, and of the clipboard's owner; nullopt when there is
    // none or no display. Only the server is asked, never another program.
    std::optional<unsigned long> focusedClient();
    std::optional<unsigned long> clipboardOwnerClient();
    // The X client of the window manager, as the window it names on the root window says (and names
    // again on itself, so that one left behind by a window manager that is gone counts for nothing);
    // nullopt when none is named. Under a Wayland compositor this is the compositor's own connection.
    std::optional<unsigned long> windowManagerClient();

private:
    bool connect();
    std::optional<unsigned long> clientOf(unsigned long window) const;
    void readEvents();
    void answer(bool answers);

    int timeoutMs_;
    X11EventConnection connection_;
    unsigned long window_ = 0, clipboard_ = 0, targets_ = 0, property_ = 0, windowManagerCheck_ = 0;
    // The bits of a resource id that tell the server's clients apart: the complement of the mask it
    // gives every client for its own ids.
    unsigned long clientBits_ = 0;
    QTimer timeout_;
    std::function<void(bool)> handler_;
};

} // namespace ondravell::platform
