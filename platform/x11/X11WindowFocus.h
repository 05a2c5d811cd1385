#pragma once

#include "platform/WindowFocus.h"

typedef struct _XDisplay Display;

namespace ondravell::platform {

// The X input focus, on a connection of its own opened at first use.
class X11WindowFocus final : public WindowFocus {
public:
    X11WindowFocus() = default;
    ~X11WindowFocus() override;
    X11WindowFocus(const X11WindowFocus&) = delete;
    X11WindowFocus& operator=(const X11WindowFocus&) = delete;

    std::optional<Window> focused() override;
    void focus(Window window) override;

private:
    bool connect();

    Display* display_ = nullptr;
};

} // namespace ondravell::platform
