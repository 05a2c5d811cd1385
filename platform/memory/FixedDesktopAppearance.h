#pragma once

#include "platform/DesktopAppearance.h"

namespace ondravell::platform {

// An appearance that tests set by hand.
class FixedDesktopAppearance final : public DesktopAppearance {
public:
    explicit FixedDesktopAppearance(bool dark = false) : dark_(dark) {}
    bool isDarkMode() const override { return dark_; }
    void setDarkMode(bool dark) { dark_ = dark; }

private:
    bool dark_;
};

} // namespace ondravell::platform
