#include "App/Host/FolderAccessManager.h"

#include "App/MainWindow/SettingsWindowController.h"
#include "App/Toast/ToastPresenter.h"

namespace ondravell {

namespace {
constexpr const char* accessHintMessage = "需要文件访问授权——请在 设置 › 通用 › 文件访问 中授权文件夹";
constexpr const char* accessHintSymbol = "lock.badge.clock";
} // namespace

FolderAccessManager& FolderAccessManager::shared() {
    static FolderAccessManager manager;
    return manager;
}

void FolderAccessManager::showAccessHint() {
    ToastPresenter::shared().show(accessHintMessage, accessHintSymbol);
    SettingsWindowController::shared().show(SettingsNavigation::Section::general);
}

} // namespace ondravell
