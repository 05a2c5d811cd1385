#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace ondravell::platform {

// Carbon virtual key codes (the stored form of a hot key) and the XKB key names of the same physical
// keys ("AC01" is the key of A on a US layout, wherever the layout puts its letter). Modifier keys,
// media keys and the Japanese input keys have no entry: they cannot be the key of a hot key.
struct CarbonKeyNames {
    CarbonKeyNames() = delete;
    static std::optional<std::string_view> xkbName(std::uint32_t carbonKeyCode);
    static std::optional<std::uint32_t> carbonKeyCode(std::string_view xkbName);
};

} // namespace ondravell::platform
