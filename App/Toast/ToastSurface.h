#pragma once

#include "App/Toast/ToastContent.h"

#include <chrono>

namespace ondravell {

// The panel as the timeline drives it. The window implements it; tests record the calls.
class ToastSurface {
public:
    virtual ~ToastSurface() = default;

    // Puts the content in the panel (creating it on first use), sizes it and places it. Visibility and
    // opacity stay as they are.
    virtual void setContent(const ToastContent& content) = 0;
    // Stops any fade, sets full opacity and orders the panel front without activating anything.
    virtual void showOpaque() = 0;
    // Orders the panel front at opacity 0 and animates it to 1.
    virtual void fadeIn(std::chrono::milliseconds duration) = 0;
    // Animates the opacity to 0; the timeline orders the panel out when the time is up.
    virtual void fadeOut(std::chrono::milliseconds duration) = 0;
    virtual void orderOut() = 0;
};

} // namespace ondravell
