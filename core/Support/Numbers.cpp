#include "core/Support/Numbers.h"

#include <charconv>

namespace ondravell {

std::optional<std::int64_t> Numbers::parseInt64(std::string_view text) {
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || text.empty())
        return std::nullopt;
    return value;
}

std::optional<double> Numbers::parseDouble(std::string_view text) {
    double value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || text.empty())
        return std::nullopt;
    return value;
}

std::string Numbers::format(std::int64_t value) {
    char buffer[32];
    auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    (void)ec;
    return std::string(buffer, ptr);
}

std::string Numbers::format(double value) {
    char buffer[64];
    auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    (void)ec;
    return std::string(buffer, ptr);
}

} // namespace ondravell
