#pragma once

#include "platform/PointerPosition.h"

typedef struct _XDisplay Display;

namespace ondravell::platform {

// The pointer as the X server on $DISPLAY knows it. Under XWayland that is only true while the
// pointer is over an X11 window. Answers at once; the connection opens at the first question.
class X11PointerPosition final : public PointerPosition {
public:
    X11PointerPosition() = default;
    ~X11PointerPosition() override;
    X11PointerPosition(const X11PointerPosition&) = delete;
    X11PointerPosition& operator=(const X11PointerPosition&) = delete;

    void locate(std::function<void(std::optional<Point>)> done) override;

private:
    Display* display_ = nullptr;
};

} // namespace ondravell::platform
