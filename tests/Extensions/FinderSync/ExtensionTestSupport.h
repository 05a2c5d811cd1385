#pragma once

#include "Extensions/FinderSync/FinderSyncExtension.h"
#include "Extensions/FinderSync/SelectionSnapshotController.h"
#include "core/SharedConfig/OndravellIPC.h"
#include "platform/memory/FixedDesktopAppearance.h"
#include "platform/memory/ImmediateTaskQueue.h"
#include "platform/memory/ManualOneShotTimers.h"
#include "platform/memory/MemoryNotificationCenter.h"
#include "platform/memory/MemoryPasteboard.h"
#include "platform/memory/MemoryVolumeMonitor.h"
#include "tests/core/SharedConfig/TempContainer.h"

#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <stop_token>
#include <string>
#include <vector>

namespace ondravell::test {

// An extension on in-memory services, with its settings file in a fresh container.
class ExtensionTest : public ::testing::Test {
protected:
    TempContainer container;
    SelectionSnapshotController controller;
    platform::MemoryPasteboard pasteboard;
    platform::MemoryNotificationCenter notificationCenter;
    platform::FixedDesktopAppearance appearance;
    platform::MemoryVolumeMonitor volumes;
    platform::ImmediateTaskQueue queue;
    platform::ManualOneShotTimers timers;
    // The host's quit.
    std::stop_source quit;
    // The application's part: it opens each toast's file as its notification arrives, which lets the
    // module's toast queue send the next one.
    platform::DistributedNotificationCenter::Token toastReader =
        notificationCenter.addObserver(std::string(OndravellIPC::showToast),
                                       [] { OndravellIPC::readPendingFile(OndravellIPC::pendingToastName); });

    FinderSyncExtension& extension() {
        if (!extension_)
            extension_ = std::make_unique<FinderSyncExtension>(
                FinderSyncExtension::Services{controller, pasteboard, notificationCenter, appearance, volumes,
                                              queue, timers, nullptr, quit.get_token()});
        return *extension_;
    }

    std::filesystem::path settingsFile() const {
        return container.path / "Library" / "Application Support" / "settings.v1.json";
    }
    void writeSettings(const std::string& json) const {
        std::filesystem::create_directories(settingsFile().parent_path());
        std::ofstream(settingsFile(), std::ios::trunc) << json;
    }

    // A real file or folder in the container's parent, selected in the file manager.
    std::filesystem::path makeFile(const std::string& name, bool directory = false) const {
        std::filesystem::path path = container.root / name;
        std::filesystem::create_directories(path.parent_path());
        if (directory)
            std::filesystem::create_directories(path);
        else
            std::ofstream(path) << "x";
        return path;
    }
    void select(const std::vector<std::filesystem::path>& paths) {
        std::vector<FinderSyncController::Item> items;
        for (const auto& path : paths)
            items.push_back({path, std::filesystem::is_directory(path)});
        controller.setSelection(std::move(items), container.root);
    }
    void clickInto(const std::filesystem::path& folder) { controller.setSelection({}, folder); }

    // Stands in for the actions later code installs, so menus can show every built-in action.
    void installStubActions() {
        for (const OndravellAction& action : OndravellAction::builtins()) {
            if (action.id == "copy.path")
                continue;
            extension().setCommandHandler(action.id,
                                          [this](FinderSyncExtension&, const MenuCommand& command,
                                                 const MenuContext&) { performed.push_back(command); });
        }
        extension().setSubmenuBuilder("hash", [](const OndravellSettings&, const MenuContext&) {
            return FinderSyncExtension::hashSubmenu();
        });
    }
    std::vector<MenuCommand> performed;

    static std::vector<std::string> titles(const Menu& menu) {
        std::vector<std::string> result;
        for (const MenuItem& item : menu.items)
            result.push_back(item.isSeparator ? "---" : item.title);
        return result;
    }

private:
    std::unique_ptr<FinderSyncExtension> extension_;
};

} // namespace ondravell::test
