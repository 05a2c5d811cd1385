#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ondravell {

// Number text without the C locale: Qt and GTK set LC_NUMERIC from the user's environment, where the
// decimal separator may be a comma. Parsing takes the whole text or fails.
struct Numbers {
    static std::optional<std::int64_t> parseInt64(std::string_view text);
    static std::optional<double> parseDouble(std::string_view text);
    static std::string format(std::int64_t value);
    // Shortest text that reads back as the same double ("0.1", "1e+22").
    static std::string format(double value);
};

} // namespace ondravell
