#include "App/NewFile/DeleteConfirmer.h"

#include "core/FileOps/FileTree.h"
#include "core/FileOps/PathGuard.h"
#include "core/SharedConfig/ODLocalized.h"
#include "core/Support/PathRules.h"
#include "core/Support/RestrictWarning.h"
#include "core/Support/Uuid.h"

#include <algorithm>
#include <chrono>
#include <system_error>

namespace ondravell {

namespace {
constexpr std::size_t namesShown = 6;
}

DeleteConfirmer::Alert DeleteConfirmer::alertFor(const std::vector<std::string>& paths) {
    Alert alert;
    alert.message = ODFormatLocalized("彻底删除 %lld 个项目？", std::vector<LocalizedValue>{paths.size()});
    alert.informativeText = "此操作不可恢复，不会进入回收站。\n\n";
    // A false overlap warning of GCC 12 (see RestrictWarning.h).
    ONDRAVELL_IGNORE_RESTRICT_BEGIN
    for (std::size_t i = 0; i < std::min(paths.size(), namesShown); ++i)
        alert.informativeText += (i ? "\n" : "") + PathRules::lastPathComponent(paths[i]);
    ONDRAVELL_IGNORE_RESTRICT_END
    if (paths.size() > namesShown)
        alert.informativeText += "\n…";
    return alert;
}

void DeleteConfirmer::confirmAndDelete(const std::vector<std::string>& paths, const Services& services) {
    if (paths.empty() || !services.confirm || !services.confirm(alertFor(paths)))
        return;
    std::vector<std::string> kept;
    for (const std::string& path : paths) {
        std::string standardized = PathRules::standardized(path);
        if (!PathGuard::isProtected(standardized))
            kept.push_back(std::move(standardized));
    }
    if (kept.empty())
        return;

    FileOperation operation{
        makeUUIDString(), FileOperation::Kind::delete_, std::chrono::system_clock::now(), {}, false};
    for (const std::string& path : kept) {
        std::error_code error;
        if (FileTree::remove(path, error))
            operation.items.push_back({path, std::nullopt});
    }
    if (!operation.items.empty())
        services.history.append(operation);
    if (services.showToast)
        services.showToast(
            ODFormatLocalized("已彻底删除 %lld 个项目", std::vector<LocalizedValue>{operation.items.size()}),
            "trash");
}

} // namespace ondravell
