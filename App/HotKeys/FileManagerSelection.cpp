#include "App/HotKeys/FileManagerSelection.h"

#include "platform/ClipboardCopier.h"
#include "platform/FileManagerSelections.h"
#include "platform/FileManagerWindows.h"
#include "platform/FrontmostApplication.h"
#include "platform/GlobalHotKeys.h"
#include "platform/OneShotTimers.h"

namespace ondravell {

bool FileManagerSelection::fileManagerIsActive() {
    return frontmost_.bundleIdentifier() == fileManagerID;
}

void FileManagerSelection::selectedItems(HotKeyManager::PathsHandler done) {
    if (!fileManagerIsActive()) {
        done({});
        return;
    }
    // The services live as long as the process, so the handlers may hold them.
    published_.windowState(
        frontmost_.windowObjectPath(),
        [this, done = std::move(done)](std::optional<platform::FileManagerWindowState> state) {
            if (state) {
                done(std::move(state->selectedFiles));
                return;
            }
            auto copy = [this, done] {
                copy_.copier.copyFromFocusedWindow([done](std::optional<platform::ClipboardCopy> copied) {
                    done(copied ? copied->files : std::vector<std::filesystem::path>{});
                });
            };
            const std::chrono::milliseconds wait = copy_.hotKeys.keysHeldAfterPress();
            if (wait.count() > 0)
                copy_.timers.schedule(wait, std::move(copy));
            else
                copy();
        });
}

void FileManagerSelection::frontWindowFolder(HotKeyManager::FolderHandler done) {
    if (!fileManagerIsActive()) {
        done(std::nullopt);
        return;
    }
    std::optional<std::string> window = frontmost_.windowObjectPath();
    published_.windowState(window, [this, window, done = std::move(done)](
                                       std::optional<platform::FileManagerWindowState> state) {
        if (state)
            done(state->folder);
        else
            done(window ? windows_.folderOfWindow(*window) : std::nullopt);
    });
}

} // namespace ondravell
