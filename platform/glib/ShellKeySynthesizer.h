#pragma once

#include "platform/KeySynthesizer.h"

#include <functional>

typedef struct _GCancellable GCancellable;

namespace ondravell::platform {

// Shortcuts through the program's Shell extension, which presses them on a virtual keyboard of the
// Shell's own and so reaches Wayland and X11 windows alike. The request goes out without waiting for
// the Shell, so `send` is true once it is under way; when the extension turns out to be missing or
// switched off, the shortcut goes to `fallback` as soon as that is known. A Shell that does not answer
// within `answerLimitMs` gets nothing more: it may still press the keys once it runs again. Main thread only
// (the GLib main context).
class ShellKeySynthesizer final : public KeySynthesizer {
public:
    // The Shell answers from its main loop within a frame; one that takes longer is stuck.
    static constexpr int answerLimitMs = 30;

    explicit ShellKeySynthesizer(KeySynthesizer& fallback);
    ~ShellKeySynthesizer() override;
    ShellKeySynthesizer(const ShellKeySynthesizer&) = delete;
    ShellKeySynthesizer& operator=(const ShellKeySynthesizer&) = delete;

    bool send(Shortcut shortcut) override;
    // What the Shell told of the keys (the X server sees none while a Wayland window has the
    // keyboard), else the fallback's answer.
    bool keysHeld() override { return (shellKeysHeld_ && shellKeysHeld_()) || fallback_.keysHeld(); }
    // Where the Shell's word on held keys comes from: the hot keys it grabs for this program.
    void setShellKeysHeld(std::function<bool()> held) { shellKeysHeld_ = std::move(held); }

    KeySynthesizer& fallback() { return fallback_; }

private:
    KeySynthesizer& fallback_;
    std::function<bool()> shellKeysHeld_;
    // Cancelled when this object goes, so that no answer reaches it afterwards.
    GCancellable* cancellable_;
};

} // namespace ondravell::platform
