#pragma once

#include "platform/FileManagerSelections.h"

namespace ondravell::platform {

// Answers at once from `windows`, the most recently changed first.
class MemoryFileManagerSelections final : public FileManagerSelections {
public:
    void windowState(const std::optional<std::string>& windowObjectPath, Handler handler) override {
        for (const FileManagerWindowState& window : windows)
            if (!windowObjectPath || window.windowObjectPath == *windowObjectPath) {
                handler(window);
                return;
            }
        handler(std::nullopt);
    }

    std::vector<FileManagerWindowState> windows;
};

} // namespace ondravell::platform
