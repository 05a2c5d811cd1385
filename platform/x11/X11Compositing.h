#pragma once

namespace ondravell::platform {

// Whether a compositing manager runs on the default screen of $DISPLAY: only then do translucent
// windows and window opacity show as such.
struct X11Compositing {
    static bool isActive();
};

} // namespace ondravell::platform
