#pragma once

#include "platform/DesktopOpener.h"

namespace ondravell::platform {

// Opens URIs through GIO's default handlers, reveals files through the file manager's
// org.freedesktop.FileManager1 interface on the session bus, and looks words up in GoldenDict or
// GNOME Dictionary when one is on the PATH.
class GioDesktopOpener final : public DesktopOpener {
public:
    bool openURI(const std::string& uri) override;
    bool canOpenURI(const std::string& uri) override;
    void revealFile(const std::filesystem::path& path) override;
    bool lookUpWord(const std::string& word) override;
};

} // namespace ondravell::platform
