#include "Extensions/FinderSync/NewFileActions.h"

#include "Extensions/FinderSync/FinderSyncExtension.h"
#include "Extensions/FinderSync/OperationRecording.h"
#include "Extensions/FinderSync/SelectionTargets.h"
#include "Extensions/FinderSync/SharedFileCache.h"
#include "Extensions/FinderSync/ToastQueue.h"
#include "Extensions/FinderSync/ToastSymbols.h"
#include "core/FileOps/FileCreator.h"
#include "core/FileOps/LocalDateText.h"
#include "core/FileOps/TemplateStore.h"
#include "core/SharedConfig/ODLocalized.h"
#include "core/SharedConfig/OndravellIPC.h"
#include "core/Support/PathRules.h"
#include "core/Support/UnicodeText.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <set>
#include <sys/stat.h>

namespace ondravell {

namespace {

constexpr std::string_view builtinListName = "builtin";
constexpr std::string_view customListName = "custom";

std::string templateTitle(const FileTemplate& fileTemplate) {
    std::string title = ODLocalizedKey(fileTemplate.displayNameKey);
    if (!fileTemplate.fileExtension.empty())
        title += " (." + fileTemplate.fileExtension + ")";
    return title;
}

// Records the new item and asks for the toast naming it; runs on the worker.
void announceCreation(ToastQueue& toasts, const std::filesystem::path& created) {
    OperationRecording::record(FileOperation::Kind::newFile,
                               {FileOperationItem{std::nullopt, created.string()}});
    toasts.post(ODLocalized("已新建 %@", PathRules::lastPathComponent(created.native())),
                std::string(ToastSymbols::success));
}

} // namespace

void NewFileActions::install(FinderSyncExtension& extension) {
    extension.setSubmenuBuilder(std::string(newFileActionID), [&extension](const OndravellSettings& settings,
                                                                           const MenuContext&) {
        return newFileSubmenu(settings, extension.sharedFiles()->customTemplates(), extension.isDarkMode());
    });
    extension.setCommandHandler(
        std::string(templateActionID),
        [](FinderSyncExtension& target, const MenuCommand& command, const MenuContext& context) {
            if (std::optional<TemplateBinding> binding = TemplateBinding::decode(command.argument))
                createFromTemplate(target, *binding, context);
        });
    extension.setCommandHandler(std::string(newFolderActionID),
                                [](FinderSyncExtension& target, const MenuCommand&,
                                   const MenuContext& context) { createFolder(target, context); });
    extension.setCommandHandler(std::string(customTypeActionID),
                                [](FinderSyncExtension& target, const MenuCommand&,
                                   const MenuContext& context) { requestCustomType(target, context); });
}

// "builtin:<index>:<id>" or "custom:<index>:<id>"; the id last, as it may hold any character.
std::string NewFileActions::TemplateBinding::encoded() const {
    return std::string(custom ? customListName : builtinListName) + ':' + std::to_string(index) + ':' + id;
}

std::optional<NewFileActions::TemplateBinding>
NewFileActions::TemplateBinding::decode(std::string_view argument) {
    std::size_t listEnd = argument.find(':');
    if (listEnd == std::string_view::npos)
        return std::nullopt;
    std::string_view list = argument.substr(0, listEnd);
    if (list != customListName && list != builtinListName)
        return std::nullopt;
    std::string_view rest = argument.substr(listEnd + 1);
    std::size_t index = 0;
    auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), index);
    if (error != std::errc() || end == rest.data() + rest.size() || *end != ':')
        return std::nullopt;
    return TemplateBinding{list == customListName, index, std::string(end + 1, rest.data() + rest.size())};
}

std::vector<NewFileActions::BoundTemplate>
NewFileActions::enabledTemplates(const OndravellSettings& settings,
                                 const std::vector<FileTemplate>& customTemplates) {
    std::set<std::string, std::less<>> disabled(settings.newFileDisabledTemplateIDs.begin(),
                                                settings.newFileDisabledTemplateIDs.end());
    std::vector<FileTemplate> kept;
    std::vector<TemplateBinding> bindings;
    auto keep = [&](const std::vector<FileTemplate>& list, bool custom) {
        for (std::size_t i = 0; i < list.size(); ++i)
            if (!disabled.contains(list[i].id)) {
                kept.push_back(list[i]);
                bindings.push_back(TemplateBinding{custom, i, list[i].id});
            }
    };
    keep(FileTemplate::builtins(), false);
    keep(customTemplates, true);
    std::vector<BoundTemplate> ordered;
    for (std::size_t position : templateOrder(kept, settings.newFileTemplateOrder))
        ordered.push_back(BoundTemplate{std::move(kept[position]), std::move(bindings[position])});
    return ordered;
}

Menu NewFileActions::newFileSubmenu(const OndravellSettings& settings,
                                    const std::vector<FileTemplate>& customTemplates, bool dark) {
    Menu menu;
    std::vector<BoundTemplate> templates = enabledTemplates(settings, customTemplates);
    std::size_t shown = std::min(templates.size(), maxTemplateItems);
    for (std::size_t i = 0; i < shown; ++i) {
        const FileTemplate& fileTemplate = templates[i].fileTemplate;
        menu.items.push_back(MenuItem{
            templateTitle(fileTemplate), MenuImage{fileTemplate.iconSymbol, dark},
            MenuCommand{std::string(templateActionID), templates[i].binding.encoded()}, std::nullopt});
    }
    menu.items.push_back(MenuItem::separator());
    menu.items.push_back(MenuItem{ODLocalizedKey(customTypeTitle),
                                  MenuImage{std::string(customTypeSymbol), dark},
                                  MenuCommand{std::string(customTypeActionID), {}}, std::nullopt});
    return menu;
}

std::optional<FileTemplate> NewFileActions::boundTemplate(const TemplateBinding& binding,
                                                          const OndravellSettings& settings,
                                                          const std::vector<FileTemplate>& customTemplates) {
    if (std::ranges::find(settings.newFileDisabledTemplateIDs, binding.id) !=
        settings.newFileDisabledTemplateIDs.end())
        return std::nullopt;
    const std::vector<FileTemplate>& list = binding.custom ? customTemplates : FileTemplate::builtins();
    // The entry it was built from; when the list was reordered since, the first of the same id in it.
    if (binding.index < list.size() && list[binding.index].id == binding.id)
        return list[binding.index];
    auto same = std::ranges::find(list, binding.id, &FileTemplate::id);
    if (same == list.end())
        return std::nullopt;
    return *same;
}

std::optional<std::filesystem::path> NewFileActions::targetDirectory(const MenuContext& context) {
    if (context.container())
        return context.container();
    if (std::optional<std::filesystem::path> folder = SelectionTargets::firstDirectory(context))
        return folder;
    return SelectionTargets::firstItemParent(context);
}

void NewFileActions::createFromTemplate(FinderSyncExtension& extension, const TemplateBinding& binding,
                                        const MenuContext& context) {
    std::optional<std::filesystem::path> directory = targetDirectory(context);
    if (!directory)
        return;
    const FinderSyncExtension::Services& services = extension.services();
    services.queue.runInBackground(
        [toasts = services.toasts, files = extension.sharedFiles(), binding, directory = *directory] {
            std::optional<FileTemplate> chosen =
                boundTemplate(binding, files->settings(), files->customTemplates());
            if (!chosen)
                return;
            std::error_code error;
            std::optional<std::filesystem::path> created =
                FileCreator::create(*chosen, directory, ODLocalizedKey(fileBaseName),
                                    LocalDateText::date(std::chrono::system_clock::now()), error);
            if (created)
                announceCreation(*toasts, *created);
        });
}

void NewFileActions::createFolder(FinderSyncExtension& extension, const MenuContext& context) {
    std::optional<std::filesystem::path> directory = targetDirectory(context);
    if (!directory)
        return;
    const FinderSyncExtension::Services& services = extension.services();
    services.queue.runInBackground([toasts = services.toasts, directory = *directory] {
        std::error_code error;
        if (auto created = FileCreator::createFolder(directory, ODLocalizedKey(folderBaseName), error))
            announceCreation(*toasts, *created);
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
