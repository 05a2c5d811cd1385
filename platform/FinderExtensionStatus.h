#pragma once

namespace ondravell::platform {

// Whether the file manager loads the system's extension, so that its context menu has our items.
class FinderExtensionStatus {
public:
    virtual ~FinderExtensionStatus() = default;

    virtual bool isExtensionEnabled() const = 0;
};

} // namespace ondravell::platform
