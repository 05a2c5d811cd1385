#pragma once

#include "platform/FinderExtensionStatus.h"

#include <filesystem>
#include <string_view>

namespace ondravell::platform {

// Nautilus has no switch for its extensions: a module in its extension folder is loaded by the next
// Nautilus that starts. So the extension counts as enabled while the module file is there.
class InstalledNautilusExtension final : public FinderExtensionStatus {
public:
    static constexpr std::string_view moduleFileName = "libondravell-nautilus.so";

    explicit InstalledNautilusExtension(std::filesystem::path extensionFolder)
        : extensionFolder_(std::move(extensionFolder)) {}

    bool isExtensionEnabled() const override;

private:
    std::filesystem::path extensionFolder_;
};

} // namespace ondravell::platform
