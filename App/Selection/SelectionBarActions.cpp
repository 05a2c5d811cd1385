#include "App/Selection/SelectionBarActions.h"

#include "core/TextProcessing/TextInspector.h"

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

} // namespace

std::vector<SelectionAction>
SelectionBarActions::actions(std::string_view text, const std::vector<std::string>& selectionActionIDs) {
    std::vector<SelectionAction> candidates;
    if (selectionActionIDs.empty()) {
        for (const SelectionAction& action : SelectionAction::builtins())
            if (action.isEnabledByDefault)
                candidates.push_back(action);
    } else {
        candidates = SelectionAction::builtinsNamedIn(selectionActionIDs);
    }
    const Findings findings = findingsIn(text);
    std::erase_if(candidates,
                  [&findings](const SelectionAction& action) { return !applies(action.kind, findings); });
    return candidates;
}

} // namespace ondravell
