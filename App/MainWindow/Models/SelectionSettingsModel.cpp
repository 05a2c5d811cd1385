#include "App/MainWindow/Models/SelectionSettingsModel.h"

#include "App/MainWindow/Models/CollectionMove.h"
#include "platform/AccessibilityTrust.h"

#include <algorithm>

namespace ondravell {

SelectionSettingsModel::SelectionSettingsModel(Services services, SettingsService service)
    : SettingsPageModel(std::move(service)), services_(std::move(services)) {
    trusted_ = readTrust();
}

bool SelectionSettingsModel::readTrust() {
    missingServices_ = services_.trust ? services_.trust->missingServices() : std::nullopt;
    return services_.trust && services_.trust->isProcessTrusted();
}

void SelectionSettingsModel::save(Field field) {
    saving_ = field;
    persist();
}

void SelectionSettingsModel::setEnabled(bool on) {
    enabled_ = on;
    // The desktop has no permission prompt to raise: trust comes with the session (X11 with XInput 2
    // and XTest), so it is only read again.
    save(Field::enabled);
    const bool wasTrusted = trusted_;
    trusted_ = readTrust();
    if (services_.rearmTrigger)
        services_.rearmTrigger();
    if (services_.reloadHotKeys)
        services_.reloadHotKeys();
    if (trusted_ != wasTrusted)
        changed();
}

void SelectionSettingsModel::setTriggerAuto(bool automatic) {
    triggerAuto_ = automatic;
    save(Field::triggerAuto);
    if (services_.rearmTrigger)
        services_.rearmTrigger();
}

void SelectionSettingsModel::setHotKey(const std::optional<HotKeySpec>& hotKey) {
    hotKey_ = hotKey;
    save(Field::hotKey);
    if (services_.reloadHotKeys)
        services_.reloadHotKeys();
}

void SelectionSettingsModel::setBarStyle(std::string raw) {
    barStyle_ = std::move(raw);
    save(Field::barStyle);
}

std::vector<SelectionAction> SelectionSettingsModel::orderedActions() const {
    std::vector<SelectionAction> ordered = SelectionAction::builtinsNamedIn(actionIDs_);
    for (const SelectionAction& action : SelectionAction::builtins())
        if (std::ranges::find(ordered, action.kind, &SelectionAction::kind) == ordered.end())
            ordered.push_back(action);
    return ordered;
}

std::vector<std::string> SelectionSettingsModel::currentIDs() const {
    if (!actionIDs_.empty())
        return actionIDs_;
    std::vector<std::string> defaults;
    for (const SelectionAction& action : SelectionAction::builtins())
        if (action.isEnabledByDefault)
            defaults.emplace_back(action.id());
    return defaults;
}

bool SelectionSettingsModel::isActionEnabled(std::string_view id) const {
    const std::vector<std::string> ids = currentIDs();
    return std::ranges::find(ids, id) != ids.end();
}

void SelectionSettingsModel::setActionEnabled(const std::string& id, bool on) {
    std::vector<std::string> ids = currentIDs();
    if (!on)
        std::erase(ids, id);
    else if (std::ranges::find(ids, id) == ids.end())
        ids.push_back(id);
    actionIDs_ = std::move(ids);
    save(Field::actionIDs);
}

void SelectionSettingsModel::saveMoved(const std::vector<SelectionAction>& ordered) {
    const std::vector<std::string> enabledIDs = currentIDs();
    std::vector<std::string> ids;
    for (const SelectionAction& action : ordered)
        if (std::ranges::find(enabledIDs, action.id()) != enabledIDs.end())
            ids.emplace_back(action.id());
    actionIDs_ = std::move(ids);
    save(Field::actionIDs);
}

void SelectionSettingsModel::moveActions(const std::set<std::size_t>& sources, std::size_t destination) {
    std::vector<SelectionAction> ordered = orderedActions();
    moveElements(ordered, sources, destination);
    saveMoved(ordered);
}

void SelectionSettingsModel::moveAction(std::size_t index, int distance) {
    std::vector<SelectionAction> ordered = orderedActions();
    if (moveElement(ordered, index, distance))
        saveMoved(ordered);
}

void SelectionSettingsModel::read(const OndravellSettings& settings) {
    enabled_ = settings.selectionEnabled;
    triggerAuto_ = settings.selectionTriggerAuto;
    actionIDs_ = settings.selectionActionIDs;
    hotKey_ = settings.selectionHotKey;
    barStyle_ = settings.selectionBarStyle;
    trusted_ = readTrust();
}

void SelectionSettingsModel::write(OndravellSettings& settings) const {
    switch (saving_) {
    case Field::enabled:
        settings.selectionEnabled = enabled_;
        break;
    case Field::triggerAuto:
        settings.selectionTriggerAuto = triggerAuto_;
        break;
    case Field::hotKey:
        settings.selectionHotKey = hotKey_;
        break;
    case Field::barStyle:
        settings.selectionBarStyle = barStyle_;
        break;
    case Field::actionIDs:
        settings.selectionActionIDs = actionIDs_;
        break;
    }
}

} // namespace ondravell
