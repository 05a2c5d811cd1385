#include "App/HotKeys/FileManagerSelection.h"

#include "platform/ClipboardCopier.h"
#include "platform/FileManagerSelections.h"
#include "platform/FileManagerWindows.h"
#include "platform/FrontmostApplication.h"

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
            copier_.copyFromFocusedWindow([done](std::optional<platform::ClipboardCopy> copy) {
                done(copy ? copy->files : std::vector<std::filesystem::path>{});
            });
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
