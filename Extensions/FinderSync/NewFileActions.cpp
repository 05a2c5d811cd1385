#include "Extensions/FinderSync/NewFileActions.h"

#include "Extensions/FinderSync/FinderSyncExtension.h"
#include "Extensions/FinderSync/OperationRecording.h"
#include "Extensions/FinderSync/SelectionTargets.h"
#include "Extensions/FinderSync/ToastSymbols.h"
#include "core/FileOps/FileCreator.h"
#include "core/FileOps/LocalDateText.h"
#include "core/FileOps/TemplateStore.h"
#include "core/SharedConfig/ODLocalized.h"
#include "core/SharedConfig/OndravellIPC.h"
#include "core/Support/PathRules.h"
#include "core/Support/UnicodeText.h"

#include <algorithm>
#include <chrono>
#include <set>
#include <sys/stat.h>

namespace ondravell {

namespace {

std::string templateTitle(const FileTemplate& fileTemplate) {
    std::string title = ODLocalizedKey(fileTemplate.displayNameKey);
    if (!fileTemplate.fileExtension.empty())
        title += " (." + fileTemplate.fileExtension + ")";
    return title;
}

// Records the new item and asks for the toast naming it; runs on the worker.
void announceCreation(platform::DistributedNotificationCenter& center, const std::filesystem::path& created) {
    OperationRecording::record(FileOperation::Kind::newFile,
                               {FileOperationItem{std::nullopt, created.string()}});
    OndravellIPC::postToast(center, ODLocalized("已新建 %@", PathRules::lastPathComponent(created.native())),
                            std::string(ToastSymbols::success));
}

} // namespace

void NewFileActions::install(FinderSyncExtension& extension) {
    extension.setSubmenuBuilder(std::string(newFileActionID),
                                [&extension](const OndravellSettings& settings, const MenuContext&) {
                                    return newFileSubmenu(settings, extension.isDarkMode());
                                });
    extension.setCommandHandler(
        std::string(templateActionID),
        [](FinderSyncExtension& target, const MenuCommand& command, const MenuContext& context) {
            createFromTemplate(target, command.argument, context);
        });
    extension.setCommandHandler(std::string(newFolderActionID),
                                [](FinderSyncExtension& target, const MenuCommand&,
                                   const MenuContext& context) { createFolder(target, context); });
    extension.setCommandHandler(std::string(customTypeActionID),
                                [](FinderSyncExtension& target, const MenuCommand&,
                                   const MenuContext& context) { requestCustomType(target, context); });
}

std::vector<FileTemplate> NewFileActions::enabledTemplates(const OndravellSettings& settings) {
    std::set<std::string, std::less<>> disabled(settings.newFileDisabledTemplateIDs.begin(),
                                                settings.newFileDisabledTemplateIDs.end());
    std::vector<FileTemplate> kept = TemplateStore(TemplateStore::appGroupID).allTemplates();
    std::erase_if(kept, [&](const FileTemplate& fileTemplate) { return disabled.contains(fileTemplate.id); });
    return orderedTemplates(kept, settings.newFileTemplateOrder);
}

Menu NewFileActions::newFileSubmenu(const OndravellSettings& settings, bool dark) {
    Menu menu;
    std::vector<FileTemplate> templates = enabledTemplates(settings);
    std::size_t shown = std::min(templates.size(), maxTemplateItems);
    for (std::size_t i = 0; i < shown; ++i)
        menu.items.push_back(MenuItem{templateTitle(templates[i]), MenuImage{templates[i].iconSymbol, dark},
                                      MenuCommand{std::string(templateActionID), templates[i].id},
                                      std::nullopt});
    menu.items.push_back(MenuItem::separator());
    menu.items.push_back(MenuItem{ODLocalizedKey(customTypeTitle),
                                  MenuImage{std::string(customTypeSymbol), dark},
                                  MenuCommand{std::string(customTypeActionID), {}}, std::nullopt});
    return menu;
}

std::optional<std::filesystem::path> NewFileActions::targetDirectory(const MenuContext& context) {
    if (context.container())
        return context.container();
    if (std::optional<std::filesystem::path> folder = SelectionTargets::firstDirectory(context))
        return folder;
    return SelectionTargets::firstItemParent(context);
}

void NewFileActions::createFromTemplate(FinderSyncExtension& extension, std::string_view templateID,
                                        const MenuContext& context) {
    std::optional<std::filesystem::path> directory = targetDirectory(context);
    if (!directory)
        return;
    const FinderSyncExtension::Services& services = extension.services();
    services.queue.runInBackground([&center = services.notificationCenter,
                                    settingsService = extension.settingsService(),
                                    templateID = std::string(templateID), directory = *directory] {
        std::vector<FileTemplate> templates = enabledTemplates(settingsService.load());
        auto chosen = std::find_if(templates.begin(), templates.end(), [&](const FileTemplate& fileTemplate) {
            return fileTemplate.id == templateID;
        });
        if (chosen == templates.end())
            return;
        std::error_code error;
        std::optional<std::filesystem::path> created =
            FileCreator::create(*chosen, directory, ODLocalizedKey(fileBaseName),
                                LocalDateText::date(std::chrono::system_clock::now()), error);
        if (created)
            announceCreation(center, *created);
    });
}

void NewFileActions::createFolder(FinderSyncExtension& extension, const MenuContext& context) {
    std::optional<std::filesystem::path> directory = targetDirectory(context);
    if (!directory)
        return;
    const FinderSyncExtension::Services& services = extension.services();
    services.queue.runInBackground([&center = services.notificationCenter, directory = *directory] {
        std::string name =
            FileCreator::uniqueName(ODLocalizedKey(folderBaseName), "", FileCreator::entryNames(directory));
        if (!FileCreator::isPlainFileName(name))
            return;
        std::filesystem::path created = directory / name;
        // mkdir never replaces what is already there, so a name taken since the listing only fails.
        if (::mkdir(created.c_str(), 0777) != 0)
            return;
        announceCreation(center, created);
    });
}

void NewFileActions::requestCustomType(FinderSyncExtension& extension, const MenuContext& context) {
    std::optional<std::filesystem::path> directory = targetDirectory(context);
    if (!directory || !UnicodeText::isValidUTF8(directory->native()))
        return;
    const FinderSyncExtension::Services& services = extension.services();
    services.queue.runInBackground([&center = services.notificationCenter, path = directory->string()] {
        OndravellIPC::writePendingAndPost(center, OndravellIPC::pendingNewFileName, path,
                                          OndravellIPC::newFile);
    });
}

} // namespace ondravell
