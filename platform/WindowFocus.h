#pragma once

#include <cstdint>
#include <optional>

namespace ondravell::platform {

// The window that receives the keyboard, to give the keyboard back to it after one of our own windows
// took it for a while.
class WindowFocus {
public:
    using Window = std::uint64_t;

    virtual ~WindowFocus() = default;

    // nullopt without a display or while no window has the focus.
    virtual std::optional<Window> focused() = 0;
    // Gives the keyboard to `window` and asks the window manager to activate its top-level window.
    virtual void focus(Window window) = 0;
};

} // namespace ondravell::platform
