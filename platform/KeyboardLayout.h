#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace ondravell::platform {

// A physical key as the stored hot keys know it.
struct KeyDescription {
    // The Carbon key code of the key; absent for keys that cannot be a hot key's key.
    std::optional<std::uint32_t> keyCode;
    // The key's character with no modifier held, in the current layout; empty when it has none.
    std::string text;
};

// The keyboard layout of the display: what a native key code of a key event stands for.
class KeyboardLayout {
public:
    virtual ~KeyboardLayout() = default;
    virtual KeyDescription describe(std::uint32_t nativeKeyCode) const = 0;
};

} // namespace ondravell::platform
