#include "core/FileOps/ByteCountText.h"

#include "core/SharedConfig/ODLocalized.h"
#include "core/Support/Numbers.h"

#include <array>
#include <string_view>

namespace ondravell {

namespace {

struct Unit {
    std::string_view name;
    std::uint64_t size;
    int decimals;
};

constexpr std::array<Unit, 6> units = {{
    {"KB", 1'000ULL, 0},
    {"MB", 1'000'000ULL, 1},
    {"GB", 1'000'000'000ULL, 2},
    {"TB", 1'000'000'000'000ULL, 2},
    {"PB", 1'000'000'000'000'000ULL, 2},
    {"EB", 1'000'000'000'000'000'000ULL, 2},
}};

std::uint64_t powerOfTen(int exponent) {
    std::uint64_t value = 1;
    for (int i = 0; i < exponent; ++i)
        value *= 10;
    return value;
}

// `bytes` in `unit`, rounded half up to the unit's decimals, in units of 10^-decimals.
std::uint64_t scaledValue(std::uint64_t bytes, const Unit& unit) {
    const std::uint64_t step = unit.size / powerOfTen(unit.decimals);
    return bytes / step + (bytes % step >= (step + 1) / 2 ? 1 : 0);
}

std::string decimalText(std::uint64_t scaled, int decimals) {
    const std::uint64_t divisor = powerOfTen(decimals);
    std::string text = Numbers::format(static_cast<std::int64_t>(scaled / divisor));
    if (decimals == 0)
        return text;
    std::string fraction = Numbers::format(static_cast<std::int64_t>(scaled % divisor));
    fraction.insert(0, static_cast<std::size_t>(decimals) - fraction.size(), '0');
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    if (!fraction.empty())
        text += "." + fraction;
    return text;
}

} // namespace

std::string ByteCountText::file(std::int64_t bytes) {
    const std::string sign = bytes < 0 ? "-" : "";
    const std::uint64_t magnitude =
        bytes < 0 ? static_cast<std::uint64_t>(-(bytes + 1)) + 1 : static_cast<std::uint64_t>(bytes);
    if (magnitude < units.front().size)
        return sign + ODLocalized("%lld 字节", static_cast<std::int64_t>(magnitude));
    for (std::size_t i = 0; i < units.size(); ++i) {
        const std::uint64_t scaled = scaledValue(magnitude, units[i]);
        const bool last = i + 1 == units.size();
        if (last || scaled < 1000 * powerOfTen(units[i].decimals))
            return sign + decimalText(scaled, units[i].decimals) + " " + std::string(units[i].name);
    }
    return sign + Numbers::format(bytes);
}

} // namespace ondravell
