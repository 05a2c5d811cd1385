#pragma once

#include "core/Models/ActionRule.h"
#include "core/Models/MenuContext.h"
#include "core/Models/OndravellAction.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace ondravell {

// Decides which actions a file-manager menu shows for one context.
struct MenuBuilder {
    // The actions, in their input order, that are enabled, whose own condition holds for the context and
    // whose rule (when there is one that narrows anything) holds too. Groups, nesting and whether an
    // action is implemented are the caller's business.
    static std::vector<OndravellAction> visibleActions(const MenuContext& context,
                                                       const std::vector<OndravellAction>& actions,
                                                       const std::set<std::string>& enabledIDs,
                                                       const std::map<std::string, ActionRule>& rules);

    // The ids of the actions that are on by default.
    static std::set<std::string> defaultEnabledIDs(const std::vector<OndravellAction>& actions);
};

} // namespace ondravell
