#include "core/Models/ActionCondition.h"

#include "core/Models/MenuContext.h"

#include <algorithm>

namespace ondravell {

ActionCondition ActionCondition::anyExtensionIn(std::set<std::string> extensions) {
    ActionCondition condition(Kind::anyExtensionIn);
    condition.extensions_ = std::move(extensions);
    return condition;
}

ActionCondition ActionCondition::allExtensionsIn(std::set<std::string> extensions) {
    ActionCondition condition(Kind::allExtensionsIn);
    condition.extensions_ = std::move(extensions);
    return condition;
}

ActionCondition ActionCondition::minSelection(std::int64_t count) {
    ActionCondition condition(Kind::minSelection);
    condition.count_ = count;
    return condition;
}

ActionCondition ActionCondition::maxSelection(std::int64_t count) {
    ActionCondition condition(Kind::maxSelection);
    condition.count_ = count;
    return condition;
}

ActionCondition ActionCondition::all(std::vector<ActionCondition> conditions) {
    ActionCondition condition(Kind::all);
    condition.conditions_ = std::move(conditions);
    return condition;
}

ActionCondition ActionCondition::any(std::vector<ActionCondition> conditions) {
    ActionCondition condition(Kind::any);
    condition.conditions_ = std::move(conditions);
    return condition;
}

ActionCondition ActionCondition::negation(ActionCondition negated) {
    ActionCondition condition(Kind::negation);
    condition.conditions_.push_back(std::move(negated));
    return condition;
}

bool ActionCondition::evaluate(const MenuContext& context) const {
    // Counts beyond the signed range cannot occur; the comparison stays signed so negative bounds work.
    const auto n = static_cast<std::int64_t>(context.count());
    const auto& found = context.extensions();
    auto holds = [&](const ActionCondition& condition) { return condition.evaluate(context); };
    switch (kind_) {
    case Kind::anyExtensionIn:
        return std::any_of(found.begin(), found.end(),
                           [&](const auto& ext) { return extensions_.contains(ext); });
    case Kind::allExtensionsIn:
        // Items without an extension are not looked at, so folders and extension-less files pass.
        return n > 0 && std::includes(extensions_.begin(), extensions_.end(), found.begin(), found.end());
    case Kind::minSelection:
        return n >= count_;
    case Kind::maxSelection:
        return n <= count_;
    case Kind::all:
        return std::all_of(conditions_.begin(), conditions_.end(), holds);
    case Kind::any:
        return std::any_of(conditions_.begin(), conditions_.end(), holds);
    case Kind::negation:
        return conditions_.empty() || !conditions_.front().evaluate(context);
    case Kind::always:
        return true;
    case Kind::onlyDirectories:
        return context.allDirectories();
    case Kind::onlyFiles:
        return context.allFiles();
    case Kind::onlyOnContainer:
        return context.isOnContainer();
    }
    return false;
}

} // namespace ondravell
