#include "Extensions/FinderSync/DeleteActions.h"

#include "Extensions/FinderSync/FinderSyncExtension.h"
#include "core/FileOps/PathGuard.h"
#include "core/SharedConfig/OndravellIPC.h"
#include "core/Support/PathRules.h"
#include "core/Support/UnicodeText.h"

namespace ondravell {

namespace {

bool fitsOneLine(std::string_view path) {
    return path.find('\n') == std::string_view::npos && UnicodeText::isValidUTF8(path);
}

std::string joinedLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        if (!text.empty())
            text += '\n';
        text += line;
    }
    return text;
}

} // namespace

void DeleteActions::install(FinderSyncExtension& extension) {
    extension.setCommandHandler(
        std::string(deleteActionID),
        [](FinderSyncExtension& target, const MenuCommand&, const MenuContext& context) {
            platform::DistributedNotificationCenter& center = target.services().notificationCenter;
            target.services().queue.runInBackground([&center, context] { requestDelete(center, context); });
        });
    extension.setCommandHandler(std::string(showHiddenActionID), [](FinderSyncExtension& target,
                                                                    const MenuCommand&, const MenuContext&) {
        platform::DistributedNotificationCenter& center = target.services().notificationCenter;
        target.services().queue.runInBackground(
            [&center] { center.post(std::string(OndravellIPC::toggleFinderHidden)); });
    });
}

std::vector<std::string> DeleteActions::deletablePaths(const MenuContext& context) {
    std::vector<std::string> paths;
    for (const SelectedItem& item : context.items()) {
        std::string path = PathRules::standardized(item.url().native());
        if (!fitsOneLine(path) || PathGuard::isProtected(path))
            continue;
        paths.push_back(std::move(path));
    }
    return paths;
}

bool DeleteActions::requestDelete(platform::DistributedNotificationCenter& center,
                                  const MenuContext& context) {
    std::vector<std::string> paths = deletablePaths(context);
    if (paths.empty())
        return false;
    return OndravellIPC::writePendingAndPost(center, OndravellIPC::pendingDeleteName, joinedLines(paths),
                                             OndravellIPC::deleteRequest);
}

} // namespace ondravell
