#pragma once

#include <QtGlobal>

namespace ondravell {

// The X server and the input it reports speak in device pixels, Qt in logical ones.
struct DevicePixels {
    // Device pixels per logical pixel on the primary screen; 1 without a screen.
    static qreal ratio();
};

} // namespace ondravell
