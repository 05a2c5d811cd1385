#include "App/MainWindow/Models/SettingsWindowSizing.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace ondravell {

namespace {

std::optional<double> parseNumber(std::string_view piece) {
    // A leading plus sign is a decimal number too; std::from_chars alone refuses it.
    if (piece.starts_with('+') && piece.size() > 1 && piece[1] != '-')
        piece.remove_prefix(1);
    double value = 0;
    auto [end, error] = std::from_chars(piece.data(), piece.data() + piece.size(), value);
    if (error != std::errc() || end != piece.data() + piece.size())
        return std::nullopt;
    return value;
}

std::optional<std::int64_t> truncated(double value) {
    // 2^63 itself is out of range; every double below it converts.
    if (!std::isfinite(value) || value >= 9223372036854775808.0 || value < -9223372036854775808.0)
        return std::nullopt;
    return static_cast<std::int64_t>(value);
}

std::optional<SettingsWindowSizing::Size> pairOf(const std::optional<std::string>& stored) {
    if (!stored)
        return std::nullopt;
    auto values = SettingsWindowSizing::numbers(*stored);
    if (values.size() != 2)
        return std::nullopt;
    return SettingsWindowSizing::Size{values[0], values[1]};
}

std::optional<SettingsWindowSizing::Size> savedSize(const std::optional<std::string>& storedSize,
                                                    const std::optional<std::string>& storedScreen,
                                                    std::optional<SettingsWindowSizing::Size> screen) {
    auto size = pairOf(storedSize);
    auto savedScreen = pairOf(storedScreen);
    if (!size || !savedScreen || !screen || std::isnan(size->width) || std::isnan(size->height))
        return std::nullopt;
    auto width = truncated(savedScreen->width);
    auto height = truncated(savedScreen->height);
    if (!width || !height || *width != truncated(screen->width) || *height != truncated(screen->height))
        return std::nullopt;
    return size;
}

} // namespace

std::vector<double> SettingsWindowSizing::numbers(std::string_view stored) {
    std::vector<double> values;
    while (true) {
        auto comma = stored.find(',');
        auto piece = stored.substr(0, comma);
        if (!piece.empty())
            if (auto value = parseNumber(piece))
                values.push_back(*value);
        if (comma == std::string_view::npos)
            break;
        stored.remove_prefix(comma + 1);
    }
    return values;
}

SettingsWindowSizing::Size
SettingsWindowSizing::preferredContentSize(Size available, const std::optional<std::string>& storedSize,
                                           const std::optional<std::string>& storedScreen,
                                           std::optional<Size> screen) {
    Size wanted = savedSize(storedSize, storedScreen, screen).value_or(defaultSize);
    return {std::min(std::max(available.width - screenMargin, minimumSize.width),
                     std::max(wanted.width, minimumSize.width)),
            std::min(std::max(available.height - screenMargin, minimumSize.height),
                     std::max(wanted.height, minimumSize.height))};
}

std::string SettingsWindowSizing::stored(Size size) {
    auto text = [](double value) { return std::to_string(truncated(value).value_or(0)); };
    return text(size.width) + "," + text(size.height);
}

} // namespace ondravell
