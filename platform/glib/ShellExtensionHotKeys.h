#pragma once

#include "platform/GlobalHotKeys.h"

#include <functional>
#include <map>
#include <optional>
#include <string>

typedef struct _GCancellable GCancellable;
typedef struct _GDBusConnection GDBusConnection;

namespace ondravell::platform {

// Global hot keys grabbed inside the Shell by the program's own extension (ShellExtensionBus): each
// combination is handed over as an accelerator, and the extension's "Accelerator" signal, sent to
// this program alone, carries each press. The extension answers only the owner of `appBusName`, so
// the grabs are made once this process owns it (at once when it does already) and made again when it
// gains it anew. A combination without Control, Alt or Super is refused here, as the extension would.
// A grab the Shell refuses is asked for again a few times, `grabRetryMs` apart: when the hot keys move
// here from the desktop's custom shortcuts, the desktop lets the same combinations go only a moment
// after its list changed, and the extension may hear of this process owning the name a moment after
// it does. One refused each time is reported only by its missing presses. Main thread only (the GLib
// main context).
class ShellExtensionHotKeys final : public GlobalHotKeys {
public:
    // The keysym name of a Carbon key code in the current layout ("c"); nullopt for a key it lacks.
    using KeyName = std::function<std::optional<std::string>(std::uint32_t carbonKeyCode)>;

    static constexpr unsigned grabRetryMs = 100;
    static constexpr int grabRetries = 20;

    ShellExtensionHotKeys(std::string appBusName, KeyName keyName);
    ~ShellExtensionHotKeys() override;
    ShellExtensionHotKeys(const ShellExtensionHotKeys&) = delete;
    ShellExtensionHotKeys& operator=(const ShellExtensionHotKeys&) = delete;

    void setHandler(Handler handler) override { handler_ = std::move(handler); }
    std::optional<Reference> registerHotKey(std::uint32_t keyCode, std::uint32_t carbonModifiers,
                                            std::uint32_t id) override;
    void unregisterHotKey(Reference reference) override;

    void ownershipChanged(bool owned);
    void accelerator(std::uint32_t action, bool pressed);
    // Whether the keys of the last press are still down: the extension tells a press at once and its
    // release once the modifiers are let go, seeing the keyboard of every window.
    bool keysHeld() const { return heldAction_.has_value(); }
    void grabbed(Reference reference, std::optional<std::uint32_t> action);

private:
    struct Entry {
        std::uint32_t id = 0;
        std::string accelerator;
        std::optional<std::uint32_t> action; // the Shell's number, once grabbed
        bool pending = false;                // a grab under way
        bool waiting = false;                // a grab to ask for once the orphans are released
        bool retry = false;                  // a refused grab to ask for again
        int refusals = 0;                    // refusals since the last grab granted
    };
    void grab(Reference reference);
    void ungrab(std::uint32_t action);
    void retryRefusedGrabs();

    KeyName keyName_;
    Handler handler_;
    GDBusConnection* connection_ = nullptr;
    GCancellable* cancellable_ = nullptr;
    unsigned nameWatch_ = 0;
    unsigned signalSubscription_ = 0;
    unsigned retryTimer_ = 0;
    bool owned_ = false;
    // Grabs under way for entries already unregistered.
    int orphans_ = 0;
    std::map<Reference, Entry> entries_;
    Reference nextReference_ = 1;
    // The action pressed last and not released yet.
    std::optional<std::uint32_t> heldAction_;
};

} // namespace ondravell::platform
