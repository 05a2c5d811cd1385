#pragma once

#include "core/Models/ActionRule.h"
#include "core/Models/OndravellAction.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ondravell {

// The condition popover of one action: its own copy of the rule, taken once when the popover opens,
// and every change reported at once as the whole new rule. A change that leaves the rule as it was
// reports nothing.
class ConditionEditorModel {
public:
    static constexpr std::int64_t maxCount = 50;

    ConditionEditorModel(OndravellAction action, ActionRule rule,
                         std::function<void(const ActionRule&)> onChange);

    const OndravellAction& action() const { return action_; }
    const ActionRule& rule() const { return rule_; }

    void setAppliesTo(ActionRule::TargetKind kind);
    void setContainerScope(ActionRule::ContainerScope scope);
    // One step of the "最少选中" or "最多选中" stepper: up from "不限" gives 1, down from 1 gives "不限";
    // the stepper stops at 0 and at 50.
    void stepMinSelection(int delta);
    void stepMaxSelection(int delta);
    // Every edit of the extensions field, as typed.
    void setExtensionsText(std::string_view text);
    // "清除条件", offered only while the rule narrows something.
    bool canClear() const { return !rule_.isEmpty(); }
    void clear();

    // The field's text: the extensions joined by ", ".
    std::string extensionsText() const;
    // "不限" for no bound, else the count's digits.
    static std::string countText(const std::optional<std::int64_t>& count);
    static std::optional<std::int64_t> stepped(const std::optional<std::int64_t>& count, int delta);
    // The extensions a text names: split at ",", "，" and " ", lower-cased, points and spaces taken off
    // both ends, empty pieces dropped; duplicates stay.
    static std::vector<std::string> extensions(std::string_view text);

private:
    void assign(ActionRule rule);

    OndravellAction action_;
    ActionRule rule_;
    std::function<void(const ActionRule&)> onChange_;
};

} // namespace ondravell
