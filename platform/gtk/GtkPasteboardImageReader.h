#pragma once

#include "platform/PasteboardImageReader.h"

namespace ondravell::platform {

// The image on the default GDK display's clipboard, in whatever format it is offered, encoded as PNG
// on a GLib worker thread so the main loop never waits on the encoding. Without a display, or when the
// clipboard holds no image, the answer is nullopt.
class GtkPasteboardImageReader final : public PasteboardImageReader {
public:
    void readPNG(PNGHandler handler) override;
};

} // namespace ondravell::platform
