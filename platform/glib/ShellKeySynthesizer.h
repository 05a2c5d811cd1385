#pragma once

#include "platform/KeySynthesizer.h"

typedef struct _GCancellable GCancellable;

namespace ondravell::platform {

// Shortcuts through the program's Shell extension, which presses them on a virtual keyboard of the
// Shell's own and so reaches Wayland and X11 windows alike. The request goes out without waiting for
// the Shell, so `send` is true once it is under way; when the extension turns out to be missing or
// switched off, the shortcut goes to `fallback` as soon as that is known. A Shell that does not answer
// within `answerLimitMs` gets nothing more: it may still press the keys once it runs again. Whether
// keys are held is the fallback's to tell. Main thread only (the GLib main context).
class ShellKeySynthesizer final : public KeySynthesizer {
public:
    // The Shell answers from its main loop within a frame; one that takes longer is stuck.
    static constexpr int answerLimitMs = 30;

    explicit ShellKeySynthesizer(KeySynthesizer& fallback);
    ~ShellKeySynthesizer() override;
    ShellKeySynthesizer(const ShellKeySynthesizer&) = delete;
    ShellKeySynthesizer& operator=(const ShellKeySynthesizer&) = delete;

    bool send(Shortcut shortcut) override;
    bool keysHeld() override { return fallback_.keysHeld(); }

    KeySynthesizer& fallback() { return fallback_; }

private:
    KeySynthesizer& fallback_;
    // Cancelled when this object goes, so that no answer reaches it afterwards.
    GCancellable* cancellable_;
};

} // namespace ondravell::platform
