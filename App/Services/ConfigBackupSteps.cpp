// The steps of export and import that need no toolkit.
#include "App/HotKeys/HotKeyManager.h"
#include "App/Services/ConfigBackup.h"
#include "App/Services/ConfigBundleStore.h"
#include "core/Support/AtomicFile.h"

namespace ondravell {

namespace {
constexpr const char* warningSymbol = "exclamationmark.triangle.fill";
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
