#pragma once

#include "platform/KeyboardLayout.h"

#include <memory>
#include <optional>
#include <string>

namespace ondravell::platform {

// The X server's keyboard map through XKB: X key codes to XKB key names ("AC01") and on to Carbon key
// codes, and each key's level-one character. The map is read on first use from a connection of its
// own; without a server every key is unknown.
class XkbKeyboardLayout final : public KeyboardLayout {
public:
    XkbKeyboardLayout();
    ~XkbKeyboardLayout() override;

    KeyDescription describe(std::uint32_t nativeKeyCode) const override;
    // The keysym name ("c", "F5", "Cyrillic_es") of the key with this Carbon key code, with no modifier
    // held, in the first group; nullopt for a key the map lacks.
    std::optional<std::string> keysymName(std::uint32_t carbonKeyCode) const;

private:
    struct Keymap;
    const Keymap* keymap() const;
    static std::unique_ptr<Keymap> readKeymap();

    mutable std::unique_ptr<Keymap> keymap_;
    mutable bool tried_ = false;
};

} // namespace ondravell::platform
