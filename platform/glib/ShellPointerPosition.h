#pragma once

#include "platform/PointerPosition.h"

typedef struct _GCancellable GCancellable;

namespace ondravell::platform {

// The pointer as the program's Shell extension reports it, over Wayland and X11 windows alike. The
// question goes out without waiting; an extension that is missing, switched off or crashed answers
// with an error at once, and one that is stuck is given up after `answerLimitMs`: then the position
// is not known.
class ShellPointerPosition final : public PointerPosition {
public:
    // The Shell answers from its main loop within a frame; a bar waits no longer than this for it.
    static constexpr int answerLimitMs = 30;

    ShellPointerPosition();
    ~ShellPointerPosition() override;
    ShellPointerPosition(const ShellPointerPosition&) = delete;
    ShellPointerPosition& operator=(const ShellPointerPosition&) = delete;

    void locate(std::function<void(std::optional<Point>)> done) override;

private:
    // Cancelled when this object goes, so that no answer reaches a caller that is gone.
    GCancellable* cancellable_;
};

} // namespace ondravell::platform
