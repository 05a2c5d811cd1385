#include "App/Selection/SelectionBarActions.h"

#include "core/TextProcessing/TextInspector.h"

#include <algorithm>
#include <set>

namespace ondravell {

namespace {

struct Findings {
    bool link = false, calculation = false, timestamp = false, colour = false;
};

Findings findingsIn(std::string_view text) {
    using Kind = TextInspector::Detected::Kind;
    Findings findings;
    for (const auto& detected : TextInspector::detect(text)) {
        findings.link |=
            detected.kind == Kind::url || detected.kind == Kind::email || detected.kind == Kind::filePath;
        findings.calculation |= detected.kind == Kind::arithmetic;
        findings.timestamp |= detected.kind == Kind::unixTimestamp;
        findings.colour |= detected.kind == Kind::hexColor;
    }
    return findings;
}

bool applies(SelectionAction::Kind kind, const Findings& findings) {
    using Kind = SelectionAction::Kind;
    switch (kind) {
    case Kind::openDetected:
        return findings.link;
    case Kind::calculate:
        return findings.calculation;
    case Kind::timestamp:
        return findings.timestamp;
    case Kind::colorPreview:
        return findings.colour;
    default:
        return true;
    }
}

// The built-in actions in the order of their first place in `ids` (built-in order among equals),
// only those `ids` names.
std::vector<SelectionAction> inUserOrder(const std::vector<std::string>& ids) {
    std::vector<std::pair<std::size_t, SelectionAction>> placed;
    for (const SelectionAction& action : SelectionAction::builtins()) {
        auto first = std::find(ids.begin(), ids.end(), action.id());
        if (first != ids.end())
            placed.emplace_back(static_cast<std::size_t>(first - ids.begin()), action);
    }
    std::stable_sort(placed.begin(), placed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<SelectionAction> ordered;
    for (auto& [position, action] : placed)
        ordered.push_back(std::move(action));
    return ordered;
}

} // namespace

std::vector<SelectionAction>
SelectionBarActions::actions(std::string_view text, const std::vector<std::string>& selectionActionIDs) {
    std::vector<SelectionAction> candidates;
    if (selectionActionIDs.empty()) {
        for (const SelectionAction& action : SelectionAction::builtins())
            if (action.isEnabledByDefault)
                candidates.push_back(action);
    } else {
        candidates = inUserOrder(selectionActionIDs);
    }
    const Findings findings = findingsIn(text);
    std::erase_if(candidates,
                  [&findings](const SelectionAction& action) { return !applies(action.kind, findings); });
    return candidates;
}

} // namespace ondravell
