#pragma once

#include "platform/PasteboardImageReader.h"

namespace ondravell::platform {

// The clipboard's image through QClipboard, encoded as PNG whatever form the owner offered.
class QtPasteboardImageReader final : public PasteboardImageReader {
public:
    void readPNG(PNGHandler handler) override;
};

} // namespace ondravell::platform
