#pragma once

#include "platform/PasteboardImageReader.h"

namespace ondravell::platform {

// The clipboard's image for tests, answered at once on the calling thread.
class MemoryPasteboardImageReader final : public PasteboardImageReader {
public:
    std::optional<std::string> png;

    void readPNG(PNGHandler handler) override { handler(png); }
};

} // namespace ondravell::platform
