#pragma once

#include "platform/KeySynthesizer.h"

typedef struct _XDisplay Display;

namespace ondravell::platform {

// XTest key events on a connection of its own to $DISPLAY, opened at the first shortcut. Keycodes come
// from the keysyms of the current keyboard map at every send, so a changed layout is followed; Ctrl
// stands where the shortcut's modifier is.
class X11KeySynthesizer final : public KeySynthesizer {
public:
    X11KeySynthesizer() = default;
    ~X11KeySynthesizer() override;
    X11KeySynthesizer(const X11KeySynthesizer&) = delete;
    X11KeySynthesizer& operator=(const X11KeySynthesizer&) = delete;

    bool send(Shortcut shortcut) override;
    bool keysHeld() override;

private:
    bool connect();
    void releaseHeldModifiers();

    Display* display_ = nullptr;
    bool refused_ = false;
};

} // namespace ondravell::platform
