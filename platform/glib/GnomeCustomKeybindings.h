#pragma once

#include "platform/GlobalHotKeys.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

typedef struct _GDBusConnection GDBusConnection;
typedef struct _GSettings GSettings;

namespace ondravell::platform {

// Global hot keys as the desktop's custom keyboard shortcuts (GNOME's settings daemon, media-keys
// plugin). Each registration is an entry of its own at `entryPathPrefix` + slot number, whose command
// is `gdbus call` of the method "Pressed" (u slot) at `objectPath` under the application's bus name:
// only a fixed number travels through the command line, and a combination kept across a reload keeps
// its entry and command, so the user's list is written only where something changed.
//
// Only entries under that prefix are ever touched, and only while this process owns `busName`: a
// launch that lost the race for the name leaves the running one's entries alone. Once it owns the
// name, entries left by an earlier run that no registration holds go (also when none is registered);
// when it ends owning the name (the tray's quit item, a session end), or the hot keys move elsewhere
// (this object goes), it takes its entries away, so their keys are free again. Every other shortcut in the
// user's list stays as it is. Entries are written from the event loop shortly after the registrations change,
// all at once.
//
// The desktop runs the command on press, with the keys still held, so whoever synthesises keys for a
// press waits `pressDelayMs` first. The desktop never says when it refuses a combination, so a written
// entry counts as registered. Main thread only (the GLib main context).
class GnomeCustomKeybindings final : public GlobalHotKeys {
public:
    // The keysym name of a Carbon key code in the current layout ("c"); nullopt for a key it lacks.
    using KeyName = std::function<std::optional<std::string>(std::uint32_t carbonKeyCode)>;

    static constexpr const char* objectPath = "/K3WQ9ZD7TM/dev/ondravell/Ondravell/HotKeys";
    static constexpr const char* interfaceName = "K3WQ9ZD7TM.dev.ondravell.HotKeys";
    static constexpr const char* entryPathPrefix =
        "/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/ondravell-hotkey-";
    static constexpr int pressDelayMs = 150;

    // "<Super><Shift>c" for command, shift and the key named "c"; nullopt for another modifier bit.
    static std::optional<std::string> accelerator(std::uint32_t carbonModifiers, std::string_view keysymName);
    // Whether the settings daemon's schemas are installed.
    static bool isAvailable();

    GnomeCustomKeybindings(std::string busName, KeyName keyName);
    ~GnomeCustomKeybindings() override;
    GnomeCustomKeybindings(const GnomeCustomKeybindings&) = delete;
    GnomeCustomKeybindings& operator=(const GnomeCustomKeybindings&) = delete;

    void setHandler(Handler handler) override { handler_ = std::move(handler); }
    std::optional<Reference> registerHotKey(std::uint32_t keyCode, std::uint32_t carbonModifiers,
                                            std::uint32_t id) override;
    void unregisterHotKey(Reference reference) override;
    std::chrono::milliseconds keysHeldAfterPress() const override {
        return std::chrono::milliseconds(pressDelayMs);
    }

    // Hands a press of the entry in `slot` on as its registration's id; a slot no registration holds
    // is dropped.
    void pressed(std::uint32_t slot);
    void ownershipChanged(bool owned);

private:
    struct Entry {
        unsigned slot = 0;
        std::uint32_t id = 0;
        std::string accelerator;
    };
    std::string entryPath(unsigned slot) const;
    unsigned freeSlot(const std::string& accelerator) const;
    void scheduleWrite();
    // Makes the user's list hold exactly this process's entries; with `keep` false, none of them.
    void writeEntries(bool keep);

    std::string busName_;
    KeyName keyName_;
    Handler handler_;
    GSettings* list_ = nullptr;
    GDBusConnection* connection_ = nullptr;
    unsigned registration_ = 0;
    unsigned nameWatch_ = 0;
    unsigned pendingWrite_ = 0;
    bool owned_ = false;
    std::map<Reference, Entry> entries_;
    Reference nextReference_ = 1;
};

} // namespace ondravell::platform
