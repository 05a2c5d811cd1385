// Export and import without a toolkit: the dialogs, the confirmation and the toasts come in as prompts.
#include "App/HotKeys/HotKeyManager.h"
#include "App/Services/ConfigBackup.h"
#include "App/Services/ConfigBundleStore.h"
#include "core/Support/AtomicFile.h"
#include "platform/FileDialog.h"

#include <cstdlib>

namespace ondravell {

namespace {

constexpr const char* warningSymbol = "exclamationmark.triangle.fill";

std::filesystem::path homeFolder() {
    const char* home = std::getenv("HOME");
    return home ? std::filesystem::path(home) : std::filesystem::path();
}

void tell(const ConfigBackup::Prompts& prompts, const ConfigBackup::Message& message) {
    if (prompts.toast)
        prompts.toast(message);
}

} // namespace

void ConfigBackup::exportConfig(const Prompts& prompts) {
    if (!prompts.fileDialog)
        return;
    auto bytes = exportBytes();
    if (!bytes)
        return;
    platform::FileDialogRequest request;
    request.kind = platform::FileDialogRequest::Kind::saveFile;
    request.directory = homeFolder();
    request.proposedName = proposedFileName;
    auto target = prompts.fileDialog->run(request);
    if (!target)
        return;
    tell(prompts, writeExport(*target, *bytes));
}

void ConfigBackup::importConfig(const Prompts& prompts) {
    if (!prompts.fileDialog)
        return;
    platform::FileDialogRequest request;
    request.kind = platform::FileDialogRequest::Kind::openFile;
    request.directory = homeFolder();
    request.nameFilters = {"*.json"};
    auto source = prompts.fileDialog->run(request);
    if (!source)
        return;
    auto bundle = readImport(*source);
    if (!bundle) {
        tell(prompts, unreadableMessage());
        return;
    }
    if (!prompts.confirmImport || !prompts.confirmImport())
        return;
    tell(prompts, applyImport(*bundle));
}

std::optional<std::string> ConfigBackup::exportBytes() {
    return ConfigBundleStore().current().encode();
}

ConfigBackup::Message ConfigBackup::writeExport(const std::filesystem::path& target,
                                                const std::string& bytes) {
    if (!writeFileAtomically(target, bytes))
        return {"导出失败", warningSymbol};
    return {"配置已导出", "square.and.arrow.up"};
}

std::optional<ConfigBackup::Bundle> ConfigBackup::readImport(const std::filesystem::path& source) {
    auto bytes = readRegularFile(source, Bundle::maxFileBytes);
    if (!bytes)
        return std::nullopt;
    return Bundle::decode(*bytes);
}

ConfigBackup::Message ConfigBackup::unreadableMessage() {
    return {"导入失败：文件无法解析", warningSymbol};
}

ConfigBackup::Message ConfigBackup::applyImport(const Bundle& bundle) {
    auto outcome = ConfigBundleStore().apply(bundle);
    HotKeyManager::shared().reload();
    if (!outcome.complete)
        return {"导入失败", warningSymbol};
    return {"配置已导入", "square.and.arrow.down"};
}

} // namespace ondravell
