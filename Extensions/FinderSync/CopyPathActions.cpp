#include "Extensions/FinderSync/CopyPathActions.h"

#include "Extensions/FinderSync/FinderSyncExtension.h"
#include "core/FileOps/PathFormatter.h"
#include "core/SharedConfig/ODLocalized.h"
#include "core/Support/PathRules.h"

#include <algorithm>

namespace ondravell {

namespace {

constexpr std::string_view successSymbol = "checkmark.circle.fill";

std::vector<std::filesystem::path> urlsOf(const MenuContext& context) {
    std::vector<std::filesystem::path> urls;
    urls.reserve(context.count());
    for (const SelectedItem& item : context.items())
        urls.push_back(item.url());
    return urls;
}

void deliver(FinderSyncExtension& extension, const std::string& text, std::string toast) {
    if (text.empty())
        return;
    extension.writePasteboard(text);
    extension.postToast(std::move(toast), std::string(successSymbol));
}

} // namespace

void CopyPathActions::install(FinderSyncExtension& extension) {
    extension.setSubmenuBuilder(
        std::string(formatActionID),
        [](const OndravellSettings& settings, const MenuContext&) { return pathFormatSubmenu(settings); });
    extension.setCommandHandler(
        std::string(formatActionID),
        [](FinderSyncExtension& target, const MenuCommand& command, const MenuContext& context) {
            if (std::optional<PathFormat> format = pathFormatFromRawValue(command.argument))
                copyPath(target, *format, context);
        });
    extension.setCommandHandler(
        std::string(templateActionID),
        [](FinderSyncExtension& target, const MenuCommand& command, const MenuContext& context) {
            copyPathTemplate(target, command.argument, context);
        });
}

Menu CopyPathActions::pathFormatSubmenu(const OndravellSettings& settings) {
    std::vector<std::pair<std::string, MenuCommand>> entries;
    for (PathFormat format : allPathFormats)
        entries.emplace_back(ODLocalizedKey(labelKey(format)),
                             MenuCommand{std::string(formatActionID), std::string(rawValue(format))});
    Menu menu = FinderSyncExtension::submenu(entries);
    const auto& templates = settings.customPathTemplates;
    if (templates.empty())
        return menu;
    menu.items.push_back(MenuItem::separator());
    std::size_t shown = std::min(templates.size(), maxTemplateItems);
    for (std::size_t i = 0; i < shown; ++i)
        menu.items.push_back(MenuItem{templates[i].name, std::nullopt,
                                      MenuCommand{std::string(templateActionID), templates[i].id},
                                      std::nullopt});
    return menu;
}

void CopyPathActions::copyPath(FinderSyncExtension& extension, PathFormat format,
                               const MenuContext& context) {
    std::vector<std::filesystem::path> urls = urlsOf(context);
    if (urls.empty())
        return;
    std::filesystem::path base =
        context.container().value_or(PathRules::deletingLastPathComponent(urls.front().string()));
    std::string text = PathFormatter::formatMultiple(urls, format, base);
    std::string toast =
        urls.size() == 1 ? ODLocalized("已复制路径") : ODLocalized("已复制 %lld 个路径", urls.size());
    deliver(extension, text, std::move(toast));
}

void CopyPathActions::copyPathTemplate(FinderSyncExtension& extension, std::string_view templateID,
                                       const MenuContext& context) {
    OndravellSettings settings = extension.sharedFiles()->settings();
    const auto& templates = settings.customPathTemplates;
    auto chosen = std::find_if(templates.begin(), templates.end(),
                               [&](const auto& pathTemplate) { return pathTemplate.id == templateID; });
    if (chosen == templates.end())
        return;
    std::vector<std::filesystem::path> urls = urlsOf(context);
    if (urls.empty())
        return;
    deliver(extension, PathFormatter::renderMultiple(urls, chosen->pathTemplate), ODLocalized("已复制路径"));
}

} // namespace ondravell
