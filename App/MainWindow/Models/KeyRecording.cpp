#include "App/MainWindow/Models/KeyRecording.h"

#include <array>
#include <utility>

namespace ondravell {

namespace {

using Name = std::pair<std::uint32_t, std::string_view>;

// Keys by Carbon key code whose character is a control character, a space or nothing.
constexpr std::array namedKeys{
    Name{0x24, "↩"},      Name{0x4C, "⌤"},   Name{0x30, "⇥"},   Name{0x31, "␣"},   Name{0x33, "⌫"},
    Name{0x75, "⌦"},      Name{0x35, "⎋"},   Name{0x7B, "←"},   Name{0x7C, "→"},   Name{0x7D, "↓"},
    Name{0x7E, "↑"},      Name{0x73, "↖"},   Name{0x77, "↘"},   Name{0x74, "⇞"},   Name{0x79, "⇟"},
    Name{0x72, "Insert"}, Name{0x47, "⌧"},   Name{0x7A, "F1"},  Name{0x78, "F2"},  Name{0x63, "F3"},
    Name{0x76, "F4"},     Name{0x60, "F5"},  Name{0x61, "F6"},  Name{0x62, "F7"},  Name{0x64, "F8"},
    Name{0x65, "F9"},     Name{0x6D, "F10"}, Name{0x67, "F11"}, Name{0x6F, "F12"}, Name{0x69, "F13"},
    Name{0x6B, "F14"},    Name{0x71, "F15"}, Name{0x6A, "F16"}, Name{0x40, "F17"}, Name{0x4F, "F18"},
    Name{0x50, "F19"},    Name{0x5A, "F20"},
};

std::string upperCased(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

bool isPrintable(const std::string& text) {
    if (text.empty())
        return false;
    for (char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return false;
    return true;
}

} // namespace

KeyRecordingStep KeyRecording::press(const KeyPress& key) {
    if (key.isModifierKey)
        return {};
    bool anyModifier = key.control || key.option || key.shift || key.command;
    if (!key.keyCode || *key.keyCode == escapeKeyCode || !anyModifier)
        return {true, std::nullopt};
    std::uint32_t modifiers = (key.control ? controlBit : 0) | (key.option ? optionBit : 0) |
                              (key.shift ? shiftBit : 0) | (key.command ? commandBit : 0);
    return {true, HotKeySpec{*key.keyCode, modifiers, displayString(key)}};
}

std::string KeyRecording::displayString(const KeyPress& key) {
    std::string shown;
    if (key.control)
        shown += "⌃";
    if (key.option)
        shown += "⌥";
    if (key.shift)
        shown += "⇧";
    if (key.command)
        shown += "⌘";
    return shown + keyName(key);
}

std::string KeyRecording::keyName(const KeyPress& key) {
    if (key.keyCode)
        for (const auto& [code, name] : namedKeys)
            if (code == *key.keyCode)
                return std::string(name);
    return isPrintable(key.text) ? upperCased(key.text) : "?";
}

} // namespace ondravell
