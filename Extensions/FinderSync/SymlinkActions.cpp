#include "Extensions/FinderSync/SymlinkActions.h"

#include "Extensions/FinderSync/FinderSyncExtension.h"
#include "Extensions/FinderSync/OperationRecording.h"
#include "Extensions/FinderSync/ToastQueue.h"
#include "Extensions/FinderSync/ToastSymbols.h"
#include "core/FileOps/FileCreator.h"
#include "core/SharedConfig/ODLocalized.h"
#include "core/SharedConfig/OndravellIPC.h"
#include "core/Support/PathRules.h"

#include <unistd.h>

namespace ondravell {

void SymlinkActions::install(FinderSyncExtension& extension) {
    extension.setCommandHandler(std::string(actionID), [](FinderSyncExtension& target, const MenuCommand&,
                                                          const MenuContext& context) {
        std::vector<std::filesystem::path> items;
        for (const SelectedItem& item : context.items())
            items.push_back(item.url());
        if (items.empty())
            return;
        const FinderSyncExtension::Services& services = target.services();
        services.queue.runInBackground([toasts = services.toasts, items = std::move(items)] {
            std::vector<FileOperationItem> links = makeLinks(items);
            if (links.empty())
                return;
            std::size_t count = links.size();
            OperationRecording::record(FileOperation::Kind::symlink, std::move(links));
            toasts->post(ODLocalized("已创建 %lld 个符号链接", count), std::string(ToastSymbols::link));
        });
    });
}

std::vector<FileOperationItem> SymlinkActions::makeLinks(const std::vector<std::filesystem::path>& items) {
    std::vector<FileOperationItem> made;
    for (const std::filesystem::path& item : items) {
        if (!item.is_absolute())
            continue;
        std::string target = PathRules::standardized(item.native());
        std::string folder = PathRules::deletingLastPathComponent(target);
        if (folder.empty())
            continue;
        std::error_code error;
        // symlink(2) fails on any existing entry, so nothing is ever replaced.
        auto link = FileCreator::createUnderFreeName(
            folder, PathRules::nameWithoutExtension(target) + std::string(linkSuffix),
            PathRules::pathExtension(target),
            [&](const std::filesystem::path& path, std::string_view) {
                return ::symlink(target.c_str(), path.c_str()) == 0
                           ? std::error_code()
                           : std::error_code(errno, std::generic_category());
            },
            error);
        if (link)
            made.push_back(FileOperationItem{target, link->native()});
    }
    return made;
}

} // namespace ondravell
