#include "core/Models/MenuBuilder.h"

namespace ondravell {

std::vector<OndravellAction> MenuBuilder::visibleActions(const MenuContext& context,
                                                         const std::vector<OndravellAction>& actions,
                                                         const std::set<std::string>& enabledIDs,
                                                         const std::map<std::string, ActionRule>& rules) {
    std::vector<OndravellAction> visible;
    for (const auto& action : actions) {
        if (!enabledIDs.contains(action.id) || !action.condition.evaluate(context))
            continue;
        auto rule = rules.find(action.id);
        if (rule != rules.end() && !rule->second.isEmpty() && !rule->second.asCondition().evaluate(context))
            continue;
        visible.push_back(action);
    }
    return visible;
}

std::set<std::string> MenuBuilder::defaultEnabledIDs(const std::vector<OndravellAction>& actions) {
    std::set<std::string> ids;
    for (const auto& action : actions)
        if (action.isEnabledByDefault)
            ids.insert(action.id);
    return ids;
}

} // namespace ondravell
