#pragma once

#include <cstdint>
#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>

namespace ondravell {

// A global hot key as stored: the virtual key code and modifier mask in the stored (Carbon) form, which
// the platform layer translates, and the text shown for the shortcut.
struct HotKeySpec {
    std::uint32_t keyCode = 0;
    std::uint32_t carbonModifiers = 0;
    std::string display;

    bool operator==(const HotKeySpec&) const = default;

    nlohmann::json toJSON() const;
    // All three keys are required; the numbers must fit in 32 unsigned bits.
    static std::optional<HotKeySpec> fromJSON(const nlohmann::json& value);
};

} // namespace ondravell
