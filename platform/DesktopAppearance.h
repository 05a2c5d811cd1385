#pragma once

namespace ondravell::platform {

// The desktop's light or dark colour scheme, as the user chose it.
class DesktopAppearance {
public:
    virtual ~DesktopAppearance() = default;
    // Read afresh on every call; a desktop that states no preference is light.
    virtual bool isDarkMode() const = 0;
};

} // namespace ondravell::platform
