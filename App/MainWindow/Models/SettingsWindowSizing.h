#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ondravell {

// How large the settings window opens: the content size the user left it at on a screen of the same
// size, kept inside the space the screen offers. Pure functions over the two stored texts.
struct SettingsWindowSizing {
    struct Size {
        double width = 0;
        double height = 0;
        bool operator==(const Size&) const = default;
    };

    // The application defaults that remember the size: "W,H" in whole points.
    static constexpr std::string_view sizeKey = "settings.window.contentSize";
    static constexpr std::string_view screenKey = "settings.window.screenSize";

    static constexpr Size defaultSize{760, 520};
    static constexpr Size minimumSize{480, 420};
    // Kept free around the window inside the screen's visible area.
    static constexpr double screenMargin = 40;

    // The numbers of a stored text: the comma-separated pieces, empty ones dropped, each read as a
    // decimal floating-point number; pieces that are no number are skipped. Independent of the locale.
    static std::vector<double> numbers(std::string_view stored);

    // The content size for a window given `available` space (the screen's visible area; the default
    // size without a screen). `screen` is the full size of the screen the window is on, absent without
    // one; the stored size counts only on a screen of the stored screen size.
    static Size preferredContentSize(Size available, const std::optional<std::string>& storedSize,
                                     const std::optional<std::string>& storedScreen,
                                     std::optional<Size> screen);

    // An open window keeps the size the user gave it unless it no longer fits the available space.
    static bool fits(Size content, Size available) {
        return available.width >= content.width && available.height >= content.height;
    }

    // "W,H" with each number truncated toward zero.
    static std::string stored(Size size);
};

} // namespace ondravell
