#include "core/Models/ActionRule.h"

#include "core/Models/CaseNamed.h"
#include "core/Support/StrictJson.h"
#include "core/Support/UnicodeText.h"

namespace ondravell {

std::string_view ActionRule::rawValue(TargetKind kind) {
    switch (kind) {
    case TargetKind::any:
        return "any";
    case TargetKind::filesOnly:
        return "filesOnly";
    case TargetKind::foldersOnly:
        return "foldersOnly";
    }
    return "any";
}

std::string_view ActionRule::rawValue(ContainerScope scope) {
    switch (scope) {
    case ContainerScope::both:
        return "both";
    case ContainerScope::blankOnly:
        return "blankOnly";
    case ContainerScope::foldersOnly:
        return "foldersOnly";
    }
    return "both";
}

std::optional<ActionRule::TargetKind> ActionRule::targetKindNamed(std::string_view raw) {
    return caseNamed(
        allTargetKinds, [](TargetKind kind) { return rawValue(kind); }, raw);
}

std::optional<ActionRule::ContainerScope> ActionRule::containerScopeNamed(std::string_view raw) {
    return caseNamed(
        allContainerScopes, [](ContainerScope scope) { return rawValue(scope); }, raw);
}

bool ActionRule::isEmpty() const {
    return appliesTo == TargetKind::any && !minSelection && !maxSelection && fileExtensions.empty() &&
           containerScope == ContainerScope::both;
}

ActionCondition ActionRule::asCondition() const {
    std::vector<ActionCondition> list;
    if (appliesTo == TargetKind::filesOnly)
        list.push_back(ActionCondition::onlyFiles());
    else if (appliesTo == TargetKind::foldersOnly)
        list.push_back(ActionCondition::onlyDirectories());
    if (minSelection)
        list.push_back(ActionCondition::minSelection(*minSelection));
    if (maxSelection)
        list.push_back(ActionCondition::maxSelection(*maxSelection));
    std::set<std::string> extensions;
    for (const auto& ext : fileExtensions)
        if (!ext.empty())
            extensions.insert(UnicodeText::lowercased(ext));
    if (!extensions.empty())
        list.push_back(ActionCondition::allExtensionsIn(std::move(extensions)));
    if (containerScope == ContainerScope::blankOnly)
        list.push_back(ActionCondition::onlyOnContainer());
    else if (containerScope == ContainerScope::foldersOnly)
        list.push_back(ActionCondition::onlyDirectories());
    if (list.empty())
        return ActionCondition::always();
    return ActionCondition::all(std::move(list));
}

nlohmann::json ActionRule::toJSON() const {
    nlohmann::json object = {{"appliesTo", rawValue(appliesTo)},
                             {"fileExtensions", fileExtensions},
                             {"containerScope", rawValue(containerScope)}};
    if (minSelection)
        object["minSelection"] = *minSelection;
    if (maxSelection)
        object["maxSelection"] = *maxSelection;
    return object;
}

std::optional<ActionRule> ActionRule::fromJSON(const nlohmann::json& value) {
    ObjectReader reader(value);
    ActionRule rule;
    if (auto raw = reader.optionalString("appliesTo")) {
        auto kind = targetKindNamed(*raw);
        if (!kind)
            reader.fail();
        rule.appliesTo = kind.value_or(TargetKind::any);
    }
    rule.minSelection = reader.optionalInt64("minSelection");
    rule.maxSelection = reader.optionalInt64("maxSelection");
    rule.fileExtensions = reader.optionalStringArray("fileExtensions").value_or(std::vector<std::string>{});
    if (auto raw = reader.optionalString("containerScope")) {
        auto scope = containerScopeNamed(*raw);
        if (!scope)
            reader.fail();
        rule.containerScope = scope.value_or(ContainerScope::both);
    }
    if (!reader.ok())
        return std::nullopt;
    return rule;
}

} // namespace ondravell
