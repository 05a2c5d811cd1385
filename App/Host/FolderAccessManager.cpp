#include "App/Host/FolderAccessManager.h"

#include "App/Toast/ToastPresenter.h"

namespace ondravell {

FolderAccessManager& FolderAccessManager::shared() {
    static FolderAccessManager manager;
    return manager;
}

void FolderAccessManager::showAccessHint(const std::string& message) {
    ToastPresenter::shared().show(message, "exclamationmark.triangle.fill");
}

} // namespace ondravell
