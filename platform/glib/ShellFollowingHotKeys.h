#pragma once

#include "platform/GlobalHotKeys.h"
#include "platform/glib/DeferredGlobalHotKeys.h"
#include "platform/glib/ShellExtensionHotKeys.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace ondravell::platform {

class ShellFrontmostApplication;

// The hot keys of a Wayland session, where the X server's grabs see no presses over Wayland windows:
// grabbed by the program's Shell extension while it runs, carried by `withoutExtension` (the desktop's
// custom shortcuts) while it does not. Whether it runs is followed for the whole run, as `shell` hears
// it from the extension and the Shell's name on the bus; at start, before the extension told anything,
// the Shell is asked once without waiting. Each change hands every registration to the other road
// before the one before lets its keys go, so that the keys are held all along and no second set of
// entries is left behind. Main thread only (the GLib main context).
class ShellFollowingHotKeys final : public GlobalHotKeys {
public:
    using KeyName = ShellExtensionHotKeys::KeyName;
    using Maker = std::function<std::unique_ptr<GlobalHotKeys>()>;

    // `shell` outlives this object; `appBusName` is the program's well-known name, which the extension
    // answers.
    ShellFollowingHotKeys(ShellFrontmostApplication& shell, std::string appBusName, KeyName keyName,
                          Maker withoutExtension);
    ~ShellFollowingHotKeys() override;
    ShellFollowingHotKeys(const ShellFollowingHotKeys&) = delete;
    ShellFollowingHotKeys& operator=(const ShellFollowingHotKeys&) = delete;

    void setHandler(Handler handler) override { hotKeys_.setHandler(std::move(handler)); }
    std::optional<Reference> registerHotKey(std::uint32_t keyCode, std::uint32_t carbonModifiers,
                                            std::uint32_t id) override {
        return hotKeys_.registerHotKey(keyCode, carbonModifiers, id);
    }
    void unregisterHotKey(Reference reference) override { hotKeys_.unregisterHotKey(reference); }
    std::chrono::milliseconds keysHeldAfterPress() const override { return hotKeys_.keysHeldAfterPress(); }

    // Whether the keys of the extension's last press are still down; false on the other road.
    bool keysHeld() const { return extensionHotKeys_ && extensionHotKeys_->keysHeld(); }
    // Whether the extension grabs the hot keys now; nullopt before any road was taken.
    std::optional<bool> throughExtension() const { return throughExtension_; }

private:
    void follow(bool extensionRuns);

    ShellFrontmostApplication& shell_;
    std::string appBusName_;
    KeyName keyName_;
    Maker withoutExtension_;
    DeferredGlobalHotKeys hotKeys_;
    // The extension's hot keys while they are the ones chosen.
    ShellExtensionHotKeys* extensionHotKeys_ = nullptr;
    std::optional<bool> throughExtension_;
    // Cleared when this object goes, so that the Shell's answer coming later touches nothing.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace ondravell::platform
