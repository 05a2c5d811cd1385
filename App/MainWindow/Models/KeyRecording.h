#pragma once

#include "core/SharedConfig/HotKeySpec.h"

#include <cstdint>
#include <optional>
#include <string>

namespace ondravell {

// One key press seen while a hot key is being recorded, already translated into the stored key space.
struct KeyPress {
    // The Carbon key code of the physical key; absent for keys that cannot be a hot key's key.
    std::optional<std::uint32_t> keyCode;
    // Shift, Control, Alt, Super, Caps Lock, ... pressed on their own.
    bool isModifierKey = false;
    // The key's character without any modifier (level one of the layout); empty for keys without one.
    std::string text;
    bool control = false;
    bool option = false; // Alt
    bool shift = false;
    bool command = false; // Super
};

// What a key press does to a recording.
struct KeyRecordingStep {
    bool stopsRecording = false;
    std::optional<HotKeySpec> recorded;
};

// The rules of the key recorder: a modifier key pressed on its own is ignored and the recording goes
// on; Escape, or any key without Control, Alt, Shift or Super, ends the recording with nothing
// recorded; a key with at least one of them is recorded and ends it.
struct KeyRecording {
    KeyRecording() = delete;

    static constexpr std::uint32_t escapeKeyCode = 0x35;
    static constexpr std::uint32_t controlBit = 0x1000;
    static constexpr std::uint32_t optionBit = 0x800;
    static constexpr std::uint32_t shiftBit = 0x200;
    static constexpr std::uint32_t commandBit = 0x100;

    static KeyRecordingStep press(const KeyPress& key);
    // "⌃⌥⇧⌘" in that order, then the key's name.
    static std::string displayString(const KeyPress& key);
    // A readable name for keys whose character is invisible or absent ("↩", "⇥", "F5", "←"), else the
    // character in upper case, else "?".
    static std::string keyName(const KeyPress& key);
};

} // namespace ondravell
