#include "App/MainWindow/Models/FinderActionsModel.h"

#include "App/MainWindow/Models/CollectionMove.h"
#include "core/FileOps/AppLauncherCatalog.h"
#include "platform/InstalledApplications.h"

#include <algorithm>
#include <limits>

namespace ondravell {

namespace {

constexpr std::string_view bundleSuffix = ".app";

std::vector<OndravellAction> displayedOrder(const std::vector<std::string>& enabledIDs) {
    std::vector<OndravellAction> actions;
    for (const OndravellAction& action : OndravellAction::builtins())
        if (action.category == OndravellAction::Category::file)
            actions.push_back(action);
    auto key = [&](const OndravellAction& action) {
        auto found = std::find(enabledIDs.begin(), enabledIDs.end(), action.id);
        return found == enabledIDs.end() ? std::numeric_limits<std::ptrdiff_t>::max()
                                         : found - enabledIDs.begin();
    };
    std::stable_sort(actions.begin(), actions.end(),
                     [&](const OndravellAction& a, const OndravellAction& b) { return key(a) < key(b); });
    return actions;
}

void appendOnce(std::vector<std::string>& list, const std::string& id) {
    if (std::find(list.begin(), list.end(), id) == list.end())
        list.push_back(id);
}

} // namespace

FinderActionsModel::FinderActionsModel(Services services, SettingsService service)
    : SettingsPageModel(std::move(service)), services_(std::move(services)) {}

void FinderActionsModel::read(const OndravellSettings& settings) {
    actions_ = displayedOrder(settings.enabledActionIDs);
    enabledIDs_ = settings.enabledIDSet();
    rules_ = settings.actionRules;
    nestUnder_ = settings.nestUnderOndravell;
    groupAssignment_ = settings.actionGroupAssignment;
    preferredTerminal_ = settings.preferredTerminalBundleID;
    preferredEditor_ = settings.preferredEditorBundleID;
    customTerminalIDs_ = settings.customTerminalBundleIDs;
    customEditorIDs_ = settings.customEditorBundleIDs;
    maxCopyMB_ = settings.maxCopyFileSizeMB;
    pendingDangerousID_.reset();
    rebuildInstalledLists();
}

void FinderActionsModel::write(OndravellSettings& settings) const {
    settings.enabledActionIDs.clear();
    for (const OndravellAction& action : actions_)
        if (enabledIDs_.contains(action.id) && action.isImplemented)
            settings.enabledActionIDs.push_back(action.id);
    settings.preferredTerminalBundleID = preferredTerminal_;
    settings.preferredEditorBundleID = preferredEditor_;
    settings.customTerminalBundleIDs = customTerminalIDs_;
    settings.customEditorBundleIDs = customEditorIDs_;
    settings.maxCopyFileSizeMB = maxCopyMB_;
    settings.actionRules = rules_;
    settings.nestUnderOndravell = nestUnder_;
    settings.actionGroupAssignment = groupAssignment_;
}

ActionRule FinderActionsModel::rule(const std::string& id) const {
    auto found = rules_.find(id);
    return found == rules_.end() ? ActionRule() : found->second;
}

std::optional<std::string> FinderActionsModel::group(const std::string& id) const {
    auto found = groupAssignment_.find(id);
    if (found == groupAssignment_.end())
        return std::nullopt;
    return found->second;
}

std::vector<std::string> FinderActionsModel::existingGroups() const {
    std::vector<std::string> groups;
    for (const OndravellAction& action : actions_)
        if (auto name = group(action.id))
            appendOnce(groups, *name);
    return groups;
}

void FinderActionsModel::setNestUnder(bool nest) {
    nestUnder_ = nest;
    persist();
}

void FinderActionsModel::toggle(const OndravellAction& action, bool isOn) {
    if (isOn && action.isDangerous && !enabledIDs_.contains(action.id)) {
        pendingDangerousID_ = action.id;
        changed();
        return;
    }
    if (isOn)
        enabledIDs_.insert(action.id);
    else
        enabledIDs_.erase(action.id);
    persist();
}

void FinderActionsModel::confirmDangerous() {
    if (!pendingDangerousID_)
        return;
    enabledIDs_.insert(*pendingDangerousID_);
    pendingDangerousID_.reset();
    persist();
}

void FinderActionsModel::cancelDangerous() {
    pendingDangerousID_.reset();
    changed();
}

void FinderActionsModel::setRule(const ActionRule& rule, const std::string& id) {
    if (rule.isEmpty())
        rules_.erase(id);
    else
        rules_[id] = rule;
    persist();
}

void FinderActionsModel::setGroup(const std::optional<std::string>& name, const std::string& id) {
    if (name && !name->empty())
        groupAssignment_[id] = *name;
    else
        groupAssignment_.erase(id);
    persist();
}

void FinderActionsModel::moveRow(std::size_t index, int distance) {
    if (moveElement(actions_, index, distance))
        persist();
}

void FinderActionsModel::moveRows(const std::set<std::size_t>& sources, std::size_t destination) {
    moveElements(actions_, sources, destination);
    persist();
}

void FinderActionsModel::setPreferredTerminal(const std::optional<std::string>& bundleID) {
    preferredTerminal_ = bundleID;
    persist();
}

void FinderActionsModel::setPreferredEditor(const std::optional<std::string>& bundleID) {
    preferredEditor_ = bundleID;
    persist();
}

void FinderActionsModel::setMaxCopyMB(std::int64_t megabytes) {
    maxCopyMB_ = std::clamp(megabytes, minCopyMB, maxCopyMBLimit);
    persist();
}

void FinderActionsModel::addCustomApp(bool isTerminal) {
    std::optional<std::string> id = services_.chooseApplication(applicationChoices(services_.applications));
    if (!id)
        return;
    appendOnce(isTerminal ? customTerminalIDs_ : customEditorIDs_, *id);
    (isTerminal ? preferredTerminal_ : preferredEditor_) = *id;
    rebuildInstalledLists();
    persist();
}

void FinderActionsModel::rebuildInstalledLists() {
    std::set<std::string> known;
    for (const auto* catalogue : {&AppLauncherCatalog::terminals(), &AppLauncherCatalog::editors()})
        for (const LaunchableApp& app : *catalogue)
            known.insert(app.bundleID);
    installedTerminals_ = installed(AppLauncherCatalog::terminals(), customTerminalIDs_, known);
    installedEditors_ = installed(AppLauncherCatalog::editors(), customEditorIDs_, known);
}

std::vector<LaunchableApp> FinderActionsModel::installed(const std::vector<LaunchableApp>& catalogue,
                                                         const std::vector<std::string>& customIDs,
                                                         const std::set<std::string>& known) const {
    std::vector<LaunchableApp> apps;
    for (const LaunchableApp& app : catalogue)
        if (services_.applications.displayName(app.bundleID))
            apps.push_back(app);
    for (const std::string& id : customIDs) {
        if (known.contains(id))
            continue;
        auto name = services_.applications.displayName(id);
        if (!name)
            continue;
        if (name->ends_with(bundleSuffix))
            name->resize(name->size() - bundleSuffix.size());
        bool listed = std::any_of(apps.begin(), apps.end(),
                                  [&](const LaunchableApp& app) { return app.bundleID == id; });
        if (!listed)
            apps.push_back({id, *name});
    }
    return apps;
}

} // namespace ondravell
