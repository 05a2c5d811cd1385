#pragma once

#include "core/Models/ActionRule.h"
#include "core/Models/SearchEngine.h"
#include "core/SharedConfig/HotKeySpec.h"
#include "core/SharedConfig/PathTemplate.h"

#include <cstdint>
#include <map>
#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace ondravell {

// The one settings record of the system, stored as one JSON object whose keys are the field names.
// A value-initialised record holds what decoding takes for absent keys; `defaultSettings()` differs
// from it only in `enabledActionIDs`, so a file holding "{}" shows no file-manager actions while a
// missing file shows the default ones.
struct OndravellSettings {
    static constexpr std::int64_t defaultMaxCopyFileSizeMB = 10;
    static constexpr std::int64_t bytesPerMiB = 1'048'576;
    static constexpr std::string_view defaultSearchEngineID = "google";
    static constexpr std::string_view defaultAIEngineID = "claude";
    // The toolbar's button styles.
    static constexpr std::string_view barStyleIcon = "icon";
    static constexpr std::string_view barStyleText = "text";
    static constexpr std::string_view barStyleIconText = "iconText";

    std::vector<std::string> enabledActionIDs; // the file-manager actions switched on, in menu order
    std::optional<std::string> preferredTerminalBundleID;
    std::optional<std::string> preferredEditorBundleID;
    std::vector<std::string> customTerminalBundleIDs;
    std::vector<std::string> customEditorBundleIDs;
    std::int64_t maxCopyFileSizeMB = defaultMaxCopyFileSizeMB; // limit of the copy-content actions, in MiB
    std::map<std::string, ActionRule> actionRules;             // by action id
    std::vector<std::string> newFileDisabledTemplateIDs;
    std::vector<std::string> newFileTemplateOrder;
    bool nestUnderOndravell = false;
    std::vector<std::string> favoriteTargets; // folder paths of the copy-to and move-to submenus
    std::vector<PathTemplate> customPathTemplates;
    std::map<std::string, std::string> actionGroupAssignment; // action id to submenu name; "" is top level
    std::map<std::string, HotKeySpec> globalHotKeys;          // by action id
    bool selectionEnabled = false;
    bool selectionTriggerAuto = true;
    std::optional<HotKeySpec> selectionHotKey;
    std::vector<std::string> selectionActionIDs; // empty: the toolbar's default actions
    std::vector<std::string> selectionAppBlacklist;
    std::string selectionSearchEngineID{defaultSearchEngineID};
    std::vector<SearchEngine> selectionCustomEngines;
    std::string selectionBarStyle{barStyleIconText};
    std::string selectionAIEngineID{defaultAIEngineID};
    std::vector<SearchEngine> selectionCustomAIEngines;

    bool operator==(const OndravellSettings&) const = default;

    // The record of a new installation: the built-in actions that are on by default, in table order.
    static const OndravellSettings& defaultSettings();

    std::set<std::string> enabledIDSet() const;
    // max(maxCopyFileSizeMB, 1) MiB in bytes; a limit too large for 64 bits gives the largest count.
    std::int64_t maxCopyFileSizeBytes() const;

    // Absent optional fields are left out.
    nlohmann::json toJSON() const;
    // Every key may be absent or null; a present key of the wrong type anywhere fails the whole record.
    static std::optional<OndravellSettings> fromJSON(const nlohmann::json& value);
    // The record in a settings file's bytes; nullopt when they are not one.
    static std::optional<OndravellSettings> decode(std::string_view bytes);
};

} // namespace ondravell
