#include "App/HotKeys/FileManagerSelection.h"

#include "platform/ClipboardCopier.h"
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
    copier_.copyFromFocusedWindow([done = std::move(done)](std::optional<platform::ClipboardCopy> copy) {
        done(copy ? copy->files : std::vector<std::filesystem::path>{});
    });
}

void FileManagerSelection::frontWindowFolder(HotKeyManager::FolderHandler done) {
    std::optional<std::string> window = fileManagerIsActive() ? frontmost_.windowObjectPath() : std::nullopt;
    done(window ? windows_.folderOfWindow(*window) : std::nullopt);
}

} // namespace ondravell
