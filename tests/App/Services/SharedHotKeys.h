#pragma once

#include "App/HotKeys/HotKeyManager.h"
#include "core/SharedConfig/OndravellSettings.h"
#include "platform/memory/MemoryAccessibilityTrust.h"
#include "platform/memory/MemoryGlobalHotKeys.h"

#include <functional>

namespace ondravell::test {

// The application's hot-key manager on in-memory hot keys, reading the settings through `settings`,
// which a test points at the configuration it applies to.
struct SharedHotKeys {
    static platform::MemoryGlobalHotKeys& keys() {
        static platform::MemoryGlobalHotKeys hotKeys;
        return hotKeys;
    }
    static std::function<OndravellSettings()>& settings() {
        static std::function<OndravellSettings()> load;
        return load;
    }
    // Sets the manager up once and registers what `load` gives now.
    static void setUp(std::function<OndravellSettings()> load) {
        settings() = std::move(load);
        static platform::MemoryAccessibilityTrust trust(true);
        HotKeyManager::Services services;
        services.hotKeys = &keys();
        services.trust = &trust;
        services.loadSettings = [] { return settings() ? settings()() : OndravellSettings{}; };
        HotKeyManager::setUpShared(std::move(services));
        HotKeyManager::shared().reload();
    }
    // Settings with one hot key, which a reload registers.
    static OndravellSettings withCopyPathHotKey(OndravellSettings settings) {
        settings.globalHotKeys["copy.path"] = HotKeySpec{8, 256, "⌘C"};
        return settings;
    }
};

} // namespace ondravell::test
