#pragma once

#include <cstdint>
#include <functional>
#include <optional>

namespace ondravell {

// Tells, in a Wayland session, which application a change of the clipboard came from, in the terms the
// clipboard copier compares: `focused()` when the copy is asked, `owner()` at a change, equal values for
// one application, nullopt for "not known".
//
// Over an X11 window the X server names both: the client with the keyboard and the clipboard's owner.
// Over a Wayland window it names neither: the compositor holds the X clipboard for every Wayland
// client. But a Wayland client can set the clipboard only while it has the keyboard, so a change the
// compositor made while the window that was asked kept the keyboard, without a single change of focus
// in between, is that window's. Such a change is named by the focus it happened in; a change by an
// X11 client, one after the focus moved, and any while the focus is not known are not.
class WaylandClipboardApplications {
public:
    struct Sources {
        // Whether an X11 window has the keyboard.
        std::function<bool()> x11WindowFocused;
        // Changes with every change of focus; nullopt while the focus is not known.
        std::function<std::optional<std::uint64_t>()> focusSerial;
        // The X clients of the keyboard focus, of the clipboard's owner and of the compositor.
        std::function<std::optional<unsigned long>()> focusedClient;
        std::function<std::optional<unsigned long>()> ownerClient;
        std::function<std::optional<unsigned long>()> compositorClient;
    };

    explicit WaylandClipboardApplications(Sources sources) : sources_(std::move(sources)) {}

    std::optional<std::uint64_t> focused() const;
    std::optional<std::uint64_t> owner() const;

private:
    std::optional<std::uint64_t> waylandFocus() const;

    Sources sources_;
};

} // namespace ondravell
