#pragma once

#include "platform/KeySynthesizer.h"

namespace ondravell::platform {

// Shortcuts through the program's Shell extension, which presses them on a virtual keyboard of the
// Shell's own and so reaches Wayland and X11 windows alike. When the extension is missing or switched
// off the shortcut goes to `fallback` instead; a Shell that does not answer within `answerLimitMs` gets
// nothing more and the shortcut counts as not sent. Whether keys are held is the fallback's to tell.
class ShellKeySynthesizer final : public KeySynthesizer {
public:
    // The call waits in the event loop's thread: the Shell answers within a frame or is given up.
    static constexpr int answerLimitMs = 30;

    explicit ShellKeySynthesizer(KeySynthesizer& fallback) : fallback_(fallback) {}

    bool send(Shortcut shortcut) override;
    bool keysHeld() override { return fallback_.keysHeld(); }

private:
    KeySynthesizer& fallback_;
};

} // namespace ondravell::platform
