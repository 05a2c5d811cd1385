#pragma once

#include <optional>
#include <string_view>

namespace ondravell {

// How the selection bar labels its buttons, stored under its raw value in `selectionBarStyle`.
enum class SelectionBarStyle { icon, text, iconText };

// The style of a stored raw value ("icon", "text", "iconText"); nullopt for any other text.
constexpr std::optional<SelectionBarStyle> selectionBarStyleNamed(std::string_view raw) {
    if (raw == "icon")
        return SelectionBarStyle::icon;
    if (raw == "text")
        return SelectionBarStyle::text;
    if (raw == "iconText")
        return SelectionBarStyle::iconText;
    return std::nullopt;
}

// What the bar shows for a stored value: any unknown value means glyphs with titles.
constexpr SelectionBarStyle selectionBarStyleOrDefault(std::string_view raw) {
    return selectionBarStyleNamed(raw).value_or(SelectionBarStyle::iconText);
}

} // namespace ondravell
