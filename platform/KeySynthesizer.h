#pragma once

namespace ondravell::platform {

// Presses keyboard shortcuts as if the user typed them, into whatever window has the keyboard focus.
// Keys the user still holds (the modifiers of a hot key) are released first, so the focused program
// sees the shortcut alone.
class KeySynthesizer {
public:
    enum class Shortcut { copy, paste };

    virtual ~KeySynthesizer() = default;

    // False when the system cannot synthesise keys (no X server, no XTest, no key for the letter in the
    // current keyboard map); nothing is sent then.
    virtual bool send(Shortcut shortcut) = 0;
};

} // namespace ondravell::platform
