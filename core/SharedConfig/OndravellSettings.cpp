#include "core/SharedConfig/OndravellSettings.h"

#include "core/Models/OndravellAction.h"
#include "core/SharedConfig/JsonRecord.h"
#include "core/Support/StrictJson.h"

#include <limits>

namespace ondravell {

namespace {

template <class Record> nlohmann::json arrayOf(const std::vector<Record>& records) {
    nlohmann::json array = nlohmann::json::array();
    for (const auto& record : records)
        array.push_back(record.toJSON());
    return array;
}

template <class Record> nlohmann::json objectOf(const std::map<std::string, Record>& records) {
    nlohmann::json object = nlohmann::json::object();
    for (const auto& [key, record] : records)
        object[key] = record.toJSON();
    return object;
}

template <class T> void assignIfPresent(T& field, std::optional<T> value) {
    if (value)
        field = std::move(*value);
}

} // namespace

const OndravellSettings& OndravellSettings::defaultSettings() {
    static const OndravellSettings settings = [] {
        OndravellSettings record;
        for (const auto& action : OndravellAction::builtins())
            if (action.isEnabledByDefault)
                record.enabledActionIDs.push_back(action.id);
        return record;
    }();
    return settings;
}

std::set<std::string> OndravellSettings::enabledIDSet() const {
    return std::set<std::string>(enabledActionIDs.begin(), enabledActionIDs.end());
}

std::int64_t OndravellSettings::maxCopyFileSizeBytes() const {
    const std::int64_t megabytes = std::max<std::int64_t>(maxCopyFileSizeMB, 1);
    // From 2^43 MiB on there is no byte count in 64 bits; such a limit means "no limit" in practice.
    if (megabytes > std::numeric_limits<std::int64_t>::max() / bytesPerMiB)
        return std::numeric_limits<std::int64_t>::max();
    return megabytes * bytesPerMiB;
}

nlohmann::json OndravellSettings::toJSON() const {
    nlohmann::json object = {
        {"enabledActionIDs", enabledActionIDs},
        {"customTerminalBundleIDs", customTerminalBundleIDs},
        {"customEditorBundleIDs", customEditorBundleIDs},
        {"maxCopyFileSizeMB", maxCopyFileSizeMB},
        {"actionRules", objectOf(actionRules)},
        {"newFileDisabledTemplateIDs", newFileDisabledTemplateIDs},
        {"newFileTemplateOrder", newFileTemplateOrder},
        {"nestUnderOndravell", nestUnderOndravell},
        {"favoriteTargets", favoriteTargets},
        {"customPathTemplates", arrayOf(customPathTemplates)},
        {"actionGroupAssignment", actionGroupAssignment},
        {"globalHotKeys", objectOf(globalHotKeys)},
        {"selectionEnabled", selectionEnabled},
        {"selectionTriggerAuto", selectionTriggerAuto},
        {"selectionActionIDs", selectionActionIDs},
        {"selectionAppBlacklist", selectionAppBlacklist},
        {"selectionSearchEngineID", selectionSearchEngineID},
        {"selectionCustomEngines", arrayOf(selectionCustomEngines)},
        {"selectionBarStyle", selectionBarStyle},
        {"selectionAIEngineID", selectionAIEngineID},
        {"selectionCustomAIEngines", arrayOf(selectionCustomAIEngines)},
    };
    if (preferredTerminalBundleID)
        object["preferredTerminalBundleID"] = *preferredTerminalBundleID;
    if (preferredEditorBundleID)
        object["preferredEditorBundleID"] = *preferredEditorBundleID;
    if (selectionHotKey)
        object["selectionHotKey"] = selectionHotKey->toJSON();
    return object;
}

std::optional<OndravellSettings> OndravellSettings::fromJSON(const nlohmann::json& value) {
    ObjectReader reader(value);
    OndravellSettings s;
    assignIfPresent(s.enabledActionIDs, reader.optionalStringArray("enabledActionIDs"));
    s.preferredTerminalBundleID = reader.optionalString("preferredTerminalBundleID");
    s.preferredEditorBundleID = reader.optionalString("preferredEditorBundleID");
    assignIfPresent(s.customTerminalBundleIDs, reader.optionalStringArray("customTerminalBundleIDs"));
    assignIfPresent(s.customEditorBundleIDs, reader.optionalStringArray("customEditorBundleIDs"));
    assignIfPresent(s.maxCopyFileSizeMB, reader.optionalInt64("maxCopyFileSizeMB"));
    assignIfPresent(s.actionRules, reader.optionalMap("actionRules", ActionRule::fromJSON));
    assignIfPresent(s.newFileDisabledTemplateIDs, reader.optionalStringArray("newFileDisabledTemplateIDs"));
    assignIfPresent(s.newFileTemplateOrder, reader.optionalStringArray("newFileTemplateOrder"));
    assignIfPresent(s.nestUnderOndravell, reader.optionalBool("nestUnderOndravell"));
    assignIfPresent(s.favoriteTargets, reader.optionalStringArray("favoriteTargets"));
    assignIfPresent(s.customPathTemplates,
                    reader.optionalArray("customPathTemplates", PathTemplate::fromJSON));
    assignIfPresent(s.actionGroupAssignment, reader.optionalStringMap("actionGroupAssignment"));
    assignIfPresent(s.globalHotKeys, reader.optionalMap("globalHotKeys", HotKeySpec::fromJSON));
    assignIfPresent(s.selectionEnabled, reader.optionalBool("selectionEnabled"));
    assignIfPresent(s.selectionTriggerAuto, reader.optionalBool("selectionTriggerAuto"));
    s.selectionHotKey = reader.optionalRecord("selectionHotKey", HotKeySpec::fromJSON);
    assignIfPresent(s.selectionActionIDs, reader.optionalStringArray("selectionActionIDs"));
    assignIfPresent(s.selectionAppBlacklist, reader.optionalStringArray("selectionAppBlacklist"));
    assignIfPresent(s.selectionSearchEngineID, reader.optionalString("selectionSearchEngineID"));
    assignIfPresent(s.selectionCustomEngines,
                    reader.optionalArray("selectionCustomEngines", SearchEngine::fromJSON));
    assignIfPresent(s.selectionBarStyle, reader.optionalString("selectionBarStyle"));
    assignIfPresent(s.selectionAIEngineID, reader.optionalString("selectionAIEngineID"));
    assignIfPresent(s.selectionCustomAIEngines,
                    reader.optionalArray("selectionCustomAIEngines", SearchEngine::fromJSON));
    if (!reader.ok())
        return std::nullopt;
    return s;
}

std::optional<OndravellSettings> OndravellSettings::decode(std::string_view bytes) {
    return decodeRecord<OndravellSettings>(bytes);
}

} // namespace ondravell
