#pragma once

#include "platform/FileDialog.h"

namespace ondravell::platform {

// The toolkit's file dialog, modal over the application's active window.
class QtFileDialog final : public FileDialog {
public:
    std::optional<std::filesystem::path> run(const FileDialogRequest& request) override;
};

} // namespace ondravell::platform
