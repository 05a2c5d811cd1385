#include "Extensions/FinderSync/FinderSyncExtension.h"

#include "Extensions/FinderSync/CopyPathActions.h"
#include "Extensions/FinderSync/DeleteActions.h"
#include "Extensions/FinderSync/FavoriteTransferActions.h"
#include "Extensions/FinderSync/HashActions.h"
#include "Extensions/FinderSync/NewFileActions.h"
#include "Extensions/FinderSync/ObservedDirectories.h"
#include "Extensions/FinderSync/PasteboardFileActions.h"
#include "Extensions/FinderSync/SymlinkActions.h"
#include "Extensions/FinderSync/ToastQueue.h"
#include "core/FileOps/HashAlgorithm.h"
#include "core/Models/MenuBuilder.h"
#include "core/SharedConfig/OndravellIPC.h"

#include <algorithm>
#include <limits>

namespace ondravell {

namespace {

constexpr std::string_view rootMenuTitle = "Ondravell";
constexpr std::string_view nestingSymbol = "cursorarrow.click.2";
constexpr std::string_view groupSymbol = "folder";

} // namespace

FinderSyncExtension::FinderSyncExtension(Services services, std::shared_ptr<SharedFileCache> sharedFiles)
    : services_(services), sharedFiles_(std::move(sharedFiles)) {
    if (!services_.toasts)
        services_.toasts =
            std::make_shared<ToastQueue>(services_.notificationCenter, services_.queue, services_.timers);
    CopyPathActions::install(*this);
    HashActions::install(*this);
    FavoriteTransferActions::install(*this);
    PasteboardFileActions::install(*this);
    NewFileActions::install(*this);
    SymlinkActions::install(*this);
    DeleteActions::install(*this);
    updateDirectoryURLs();
    services_.volumes.setChangeHandler([this] { volumesChanged(); });
}

FinderSyncExtension::~FinderSyncExtension() {
    services_.volumes.setChangeHandler(nullptr);
}

void FinderSyncExtension::updateDirectoryURLs() {
    services_.controller.setDirectoryURLs(ObservedDirectories::gather(ObservedDirectories::mountRoots(),
                                                                      services_.volumes.mountedVolumeURLs()));
}

MenuContext FinderSyncExtension::currentContext() const {
    std::vector<FinderSyncController::Item> selected = services_.controller.selectedItems();
    std::vector<SelectedItem> items;
    items.reserve(selected.size());
    for (FinderSyncController::Item& item : selected)
        items.emplace_back(std::move(item.url), item.isDirectory.value_or(false));
    std::optional<std::filesystem::path> container;
    if (items.empty())
        container = services_.controller.targetedURL();
    return MenuContext(std::move(items), std::move(container));
}

std::vector<OndravellAction>
FinderSyncExtension::orderedBuiltins(const std::vector<std::string>& enabledIDs) {
    std::map<std::string_view, std::int64_t> firstPosition;
    for (std::size_t i = 0; i < enabledIDs.size(); ++i)
        firstPosition.emplace(enabledIDs[i], static_cast<std::int64_t>(i));
    auto position = [&](const OndravellAction& action) {
        auto found = firstPosition.find(action.id);
        return found == firstPosition.end() ? std::numeric_limits<std::int64_t>::max() : found->second;
    };
    std::vector<OndravellAction> ordered = OndravellAction::builtins();
    std::stable_sort(ordered.begin(), ordered.end(), [&](const OndravellAction& a, const OndravellAction& b) {
        return position(a) < position(b);
    });
    return ordered;
}

Menu FinderSyncExtension::submenu(const std::vector<std::pair<std::string, MenuCommand>>& entries) {
    Menu menu;
    for (const auto& [title, command] : entries)
        menu.items.push_back(MenuItem{title, std::nullopt, command, std::nullopt});
    return menu;
}

Menu FinderSyncExtension::hashSubmenu() {
    std::vector<std::pair<std::string, MenuCommand>> entries;
    for (HashAlgorithm algorithm : HashAlgorithm::allCases)
        entries.emplace_back(std::string(algorithm.displayName()),
                             MenuCommand{"hash", std::string(algorithm.id())});
    return submenu(entries);
}

void FinderSyncExtension::setSubmenuBuilder(std::string actionID, SubmenuBuilder builder) {
    submenuBuilders_[std::move(actionID)] = std::move(builder);
}

void FinderSyncExtension::setCommandHandler(std::string actionID, CommandHandler handler) {
    commandHandlers_[std::move(actionID)] = std::move(handler);
}

bool FinderSyncExtension::isOffered(const OndravellAction& action) const {
    return action.isImplemented &&
           (submenuBuilders_.contains(action.id) || commandHandlers_.contains(action.id));
}

MenuItem FinderSyncExtension::itemFor(const OndravellAction& action, const OndravellSettings& settings,
                                      const MenuContext& context, bool dark) const {
    MenuItem item{action.localizedTitle(), MenuImage{action.systemImage, dark}, std::nullopt, std::nullopt};
    if (auto builder = submenuBuilders_.find(action.id); builder != submenuBuilders_.end())
        item.submenu = builder->second(settings, context);
    else
        item.command = MenuCommand{action.id, {}};
    return item;
}

Menu FinderSyncExtension::menu(MenuKind kind) {
    return menu(kind, currentContext());
}

Menu FinderSyncExtension::menu(MenuKind kind, const MenuContext& context) {
    if (kind != MenuKind::contextualMenuForItems && kind != MenuKind::contextualMenuForContainer)
        return {};
    OndravellSettings settings = sharedFiles_->settings();
    std::vector<OndravellAction> visible = MenuBuilder::visibleActions(
        context, orderedBuiltins(settings.enabledActionIDs), settings.enabledIDSet(), settings.actionRules);
    std::erase_if(visible, [this](const OndravellAction& action) { return !isOffered(action); });
    if (visible.empty())
        return {};

    bool dark = isDarkMode();
    // A group's item stands where its first member would have stood; later members join its submenu.
    std::map<std::string, std::size_t, std::less<>> groupPositions;
    std::vector<MenuItem> topLevel;
    for (const OndravellAction& action : visible) {
        MenuItem item = itemFor(action, settings, context, dark);
        auto assignment = settings.actionGroupAssignment.find(action.id);
        if (assignment == settings.actionGroupAssignment.end() || assignment->second.empty()) {
            topLevel.push_back(std::move(item));
            continue;
        }
        const std::string& group = assignment->second;
        if (auto existing = groupPositions.find(group); existing != groupPositions.end()) {
            topLevel[existing->second].submenu->items.push_back(std::move(item));
            continue;
        }
        groupPositions.emplace(group, topLevel.size());
        topLevel.push_back(MenuItem{group, MenuImage{std::string(groupSymbol), dark}, std::nullopt,
                                    Menu{group, {std::move(item)}}});
    }

    Menu root{std::string(rootMenuTitle), {}};
    if (settings.nestUnderOndravell)
        root.items.push_back(MenuItem{std::string(rootMenuTitle), MenuImage{std::string(nestingSymbol), dark},
                                      std::nullopt, Menu{std::string(rootMenuTitle), std::move(topLevel)}});
    else
        root.items = std::move(topLevel);
    return root;
}

void FinderSyncExtension::perform(const MenuCommand& command, const MenuContext& context) {
    auto handler = commandHandlers_.find(command.actionID);
    if (handler != commandHandlers_.end())
        handler->second(*this, command, context);
}

void FinderSyncExtension::writePasteboard(const std::string& text) {
    if (!text.empty())
        services_.pasteboard.writeString(text);
}

void FinderSyncExtension::postToast(std::string message, std::string symbol) {
    services_.toasts->post(std::move(message), std::move(symbol));
}

} // namespace ondravell
