#pragma once

#include "platform/DesktopAppearance.h"

#include <string_view>

typedef struct _GSettings GSettings;

namespace ondravell::platform {

// The desktop's colour scheme: the GNOME interface setting "color-scheme" where the desktop has it,
// else GTK's own dark-theme preference and theme name.
class GtkDesktopAppearance final : public DesktopAppearance {
public:
    GtkDesktopAppearance();
    ~GtkDesktopAppearance() override;
    GtkDesktopAppearance(const GtkDesktopAppearance&) = delete;
    GtkDesktopAppearance& operator=(const GtkDesktopAppearance&) = delete;

    bool isDarkMode() const override;

    // "prefer-dark" is dark; "default", "prefer-light" and anything unknown are light.
    static bool isDarkColorScheme(std::string_view colorScheme);
    // "Adwaita-dark", "Adwaita:dark" and "Yaru-Dark" name dark variants.
    static bool isDarkThemeName(std::string_view themeName);

private:
    GSettings* interfaceSettings_ = nullptr;
};

} // namespace ondravell::platform
