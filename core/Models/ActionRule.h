#pragma once

#include "core/Models/ActionCondition.h"

#include <array>
#include <cstdint>
#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ondravell {

// The user's narrowing of one file-manager action's visibility, stored in the settings under the
// action's id. Every key may be absent from the JSON; a present key of the wrong type or an unknown
// enumeration text fails the rule (and with it the settings file).
struct ActionRule {
    enum class TargetKind { any, filesOnly, foldersOnly };
    enum class ContainerScope { both, blankOnly, foldersOnly };

    static constexpr std::array<TargetKind, 3> allTargetKinds{TargetKind::any, TargetKind::filesOnly,
                                                              TargetKind::foldersOnly};
    static constexpr std::array<ContainerScope, 3> allContainerScopes{
        ContainerScope::both, ContainerScope::blankOnly, ContainerScope::foldersOnly};

    TargetKind appliesTo = TargetKind::any;
    std::optional<std::int64_t> minSelection;
    std::optional<std::int64_t> maxSelection;
    // Extensions every selected item's extension must be among, compared lower-cased and untrimmed.
    std::vector<std::string> fileExtensions;
    ContainerScope containerScope = ContainerScope::both;

    bool operator==(const ActionRule&) const = default;

    // Nothing is narrowed. A list of only empty extensions still counts as something.
    bool isEmpty() const;
    ActionCondition asCondition() const;

    // The selection bounds are left out when absent.
    nlohmann::json toJSON() const;
    static std::optional<ActionRule> fromJSON(const nlohmann::json& value);

    static std::string_view rawValue(TargetKind kind);
    static std::string_view rawValue(ContainerScope scope);
    static std::optional<TargetKind> targetKindNamed(std::string_view raw);
    static std::optional<ContainerScope> containerScopeNamed(std::string_view raw);
};

} // namespace ondravell
