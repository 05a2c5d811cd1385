#pragma once

#include <functional>
#include <optional>
#include <string>

namespace ondravell::platform {

// The image on the desktop's clipboard, as PNG bytes whatever form it was offered in. Like the other
// clipboard reads, the call belongs on the event loop's thread and answers through the handler, later
// on that thread or at once; nullopt when the clipboard holds no image.
class PasteboardImageReader {
public:
    using PNGHandler = std::function<void(std::optional<std::string>)>;

    virtual ~PasteboardImageReader() = default;
    virtual void readPNG(PNGHandler handler) = 0;
};

} // namespace ondravell::platform
