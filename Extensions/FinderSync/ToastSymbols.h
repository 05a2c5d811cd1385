#pragma once

#include <string_view>

namespace ondravell {

// The symbols the extension's toasts carry.
struct ToastSymbols {
    static constexpr std::string_view success = "checkmark.circle.fill";
    static constexpr std::string_view warning = "exclamationmark.triangle.fill";
    static constexpr std::string_view link = "link";
};

} // namespace ondravell
