#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ondravell {

// Checks and re-writes a selected JSON text. Top-level scalars are allowed. Re-writing keeps every
// number exactly as written (no rounding through a double), writes non-ASCII characters and "/" as
// themselves, and reads a repeated object key as the last of its values.
struct JSONTool {
    static bool isValid(std::string_view text);
    // Two-space indentation, "key" : value, keys sorted by code point.
    static std::optional<std::string> prettyPrint(std::string_view text);
    // No insignificant white space; members keep their order.
    static std::optional<std::string> minify(std::string_view text);
};

} // namespace ondravell
