#pragma once

namespace ondravell::platform {

// Presses keyboard shortcuts as if the user typed them, into whatever window has the keyboard focus.
// Callers wait until `keysHeld` turns false before they send, so a hot key's own keys cannot join the
// shortcut; modifiers the user still holds when a shortcut is sent anyway are released first, so the
// focused program sees the shortcut alone.
class KeySynthesizer {
public:
    enum class Shortcut { copy, paste };

    virtual ~KeySynthesizer() = default;

    // False when the system cannot synthesise keys (no X server, no XTest, no key for the letter in the
    // current keyboard map); nothing is sent then.
    virtual bool send(Shortcut shortcut) = 0;
    // True while any key of the keyboard is down; false when the system cannot tell (no X server).
    virtual bool keysHeld() = 0;
};

} // namespace ondravell::platform
