#include "Extensions/FinderSync/OpenWithActions.h"

#include "Extensions/FinderSync/FinderSyncExtension.h"
#include "Extensions/FinderSync/SelectionTargets.h"
#include "core/FileOps/AppLauncherCatalog.h"
#include "platform/AppLauncher.h"

namespace ondravell {

namespace {

void openTerminal(FinderSyncExtension& extension, platform::AppLauncher& launcher,
                  const MenuContext& context) {
    std::optional<std::filesystem::path> folder = OpenWithActions::terminalTargetDirectory(context);
    if (!folder)
        return;
    extension.services().queue.runInBackground([&launcher, files = extension.sharedFiles(),
                                                folder = *folder] {
        std::optional<std::string> preferred = files->settings().preferredTerminalBundleID;
        launcher.openTerminal(
            OpenWithActions::resolve(launcher, preferred, OpenWithActions::systemTerminalBundleID), folder);
    });
}

void openEditor(FinderSyncExtension& extension, platform::AppLauncher& launcher, const MenuContext& context) {
    std::vector<std::filesystem::path> targets = OpenWithActions::editorTargets(context);
    if (targets.empty())
        return;
    extension.services().queue.runInBackground([&launcher, files = extension.sharedFiles(),
                                                targets = std::move(targets)] {
        std::optional<std::string> preferred = files->settings().preferredEditorBundleID;
        if (!preferred || preferred->empty())
            preferred = OpenWithActions::detectDefaultEditorBundleID(launcher);
        launcher.openFiles(
            OpenWithActions::resolve(launcher, preferred, OpenWithActions::systemEditorBundleID), targets);
    });
}

} // namespace

void OpenWithActions::install(FinderSyncExtension& extension, platform::AppLauncher& launcher) {
    extension.setCommandHandler(
        std::string(terminalActionID),
        [&launcher](FinderSyncExtension& target, const MenuCommand&, const MenuContext& context) {
            openTerminal(target, launcher, context);
        });
    extension.setCommandHandler(
        std::string(editorActionID),
        [&launcher](FinderSyncExtension& target, const MenuCommand&, const MenuContext& context) {
            openEditor(target, launcher, context);
        });
}

std::optional<std::filesystem::path> OpenWithActions::terminalTargetDirectory(const MenuContext& context) {
    if (context.items().empty())
        return context.container();
    if (std::optional<std::filesystem::path> folder = SelectionTargets::firstDirectory(context))
        return folder;
    return SelectionTargets::firstItemParent(context);
}

std::vector<std::filesystem::path> OpenWithActions::editorTargets(const MenuContext& context) {
    std::vector<std::filesystem::path> targets;
    for (const SelectedItem& item : context.items())
        targets.push_back(item.url());
    if (targets.empty() && context.container())
        targets.push_back(*context.container());
    return targets;
}

std::string OpenWithActions::resolve(const platform::AppLauncher& launcher,
                                     const std::optional<std::string>& preferred, std::string_view fallback) {
    if (preferred && !preferred->empty() && launcher.isInstalled(*preferred))
        return *preferred;
    return std::string(fallback);
}

std::optional<std::string>
OpenWithActions::detectDefaultEditorBundleID(const platform::AppLauncher& launcher) {
    for (const LaunchableApp& app : AppLauncherCatalog::editors())
        if (launcher.isInstalled(app.bundleID))
            return app.bundleID;
    return std::nullopt;
}

} // namespace ondravell
