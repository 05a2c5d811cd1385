#include "core/SharedConfig/OndravellSettings.h"

#include "core/SharedConfig/JsonRecord.h"

#include <gtest/gtest.h>
#include <limits>
#include <nlohmann/json.hpp>

using namespace ondravell;

namespace {
// Every field away from its default, optional ones present.
OndravellSettings fullRecord() {
    OndravellSettings s;
    s.enabledActionIDs = {"hash", "copy.path"};
    s.preferredTerminalBundleID = "org.gnome.Console";
    s.preferredEditorBundleID = "com.microsoft.VSCode";
    s.customTerminalBundleIDs = {"a"};
    s.customEditorBundleIDs = {"b", "c"};
    s.maxCopyFileSizeMB = -3;
    s.actionRules = {
        {"copy.path",
         ActionRule{
             ActionRule::TargetKind::filesOnly, 1, std::nullopt, {"png"}, ActionRule::ContainerScope::both}}};
    s.newFileDisabledTemplateIDs = {"md"};
    s.newFileTemplateOrder = {"txt", "md"};
    s.nestUnderOndravell = true;
    s.favoriteTargets = {"/home/u/下载"};
    s.customPathTemplates = {PathTemplate{"t1", "Markdown", "[{name}]({path})"}};
    s.actionGroupAssignment = {{"hash", "工具"}};
    s.globalHotKeys = {{"copy.path", HotKeySpec{8, 4352, "⌘⇧C"}}};
    s.selectionEnabled = true;
    s.selectionTriggerAuto = false;
    s.selectionHotKey = HotKeySpec{4294967295u, 0, "x"};
    s.selectionActionIDs = {"translate"};
    s.selectionAppBlacklist = {"org.gnome.Terminal"};
    s.selectionSearchEngineID = "mine";
    s.selectionCustomEngines = {SearchEngine{"mine", "Mine", "https://m.example/?q={q}", false}};
    s.selectionBarStyle = "icon";
    s.selectionAIEngineID = "ai";
    s.selectionCustomAIEngines = {SearchEngine{"ai", "AI", "https://ai.example/?q={q}", true}};
    return s;
}
} // namespace

TEST(OndravellSettingsDefaults, DifferFromTheAbsentValuesOnlyInTheEnabledActions) {
    const auto& defaults = OndravellSettings::defaultSettings();
    EXPECT_EQ(defaults.enabledActionIDs.size(), 14u);
    EXPECT_EQ(defaults.enabledActionIDs.front(), "copy.path");
    EXPECT_EQ(defaults.enabledActionIDs.back(), "show.hidden");
    OndravellSettings fromEmpty = *OndravellSettings::decode("{}");
    EXPECT_TRUE(fromEmpty.enabledActionIDs.empty());
    fromEmpty.enabledActionIDs = defaults.enabledActionIDs;
    EXPECT_EQ(fromEmpty, defaults);
    EXPECT_EQ(defaults.maxCopyFileSizeMB, 10);
    EXPECT_TRUE(defaults.selectionTriggerAuto);
    EXPECT_FALSE(defaults.selectionEnabled);
    EXPECT_EQ(defaults.selectionSearchEngineID, "google");
    EXPECT_EQ(defaults.selectionAIEngineID, "claude");
    EXPECT_EQ(defaults.selectionBarStyle, "iconText");
}

TEST(OndravellSettingsSizeLimit, CountsAtLeastOneMiBAndSaturatesInsteadOfOverflowing) {
    OndravellSettings s;
    s.maxCopyFileSizeMB = 10;
    EXPECT_EQ(s.maxCopyFileSizeBytes(), 10'485'760);
    for (std::int64_t small : {std::int64_t{0}, std::int64_t{-5}, std::numeric_limits<std::int64_t>::min()}) {
        s.maxCopyFileSizeMB = small;
        EXPECT_EQ(s.maxCopyFileSizeBytes(), 1'048'576);
    }
    s.maxCopyFileSizeMB = (std::int64_t{1} << 43) - 1;
    EXPECT_EQ(s.maxCopyFileSizeBytes(), ((std::int64_t{1} << 43) - 1) * 1'048'576);
    for (std::int64_t huge : {std::int64_t{1} << 43, std::numeric_limits<std::int64_t>::max()}) {
        s.maxCopyFileSizeMB = huge;
        EXPECT_EQ(s.maxCopyFileSizeBytes(), std::numeric_limits<std::int64_t>::max());
    }
}

TEST(OndravellSettingsJSON, RoundTripsEveryField) {
    auto record = fullRecord();
    EXPECT_EQ(OndravellSettings::decode(*encodeRecord(record)), record);
    EXPECT_EQ(OndravellSettings::decode(*encodeRecord(OndravellSettings{})), OndravellSettings{});
}

TEST(OndravellSettingsJSON, LeavesAbsentOptionalFieldsOut) {
    auto json = OndravellSettings::defaultSettings().toJSON();
    EXPECT_EQ(json.size(), 21u);
    for (const char* key : {"preferredTerminalBundleID", "preferredEditorBundleID", "selectionHotKey"})
        EXPECT_FALSE(json.contains(key)) << key;
    EXPECT_EQ(fullRecord().toJSON().size(), 24u);
    EXPECT_EQ(fullRecord().toJSON()["customPathTemplates"][0]["template"], "[{name}]({path})");
}

TEST(OndravellSettingsJSON, ReadsNullAsAbsentAndIgnoresUnknownKeys) {
    auto s =
        OndravellSettings::decode(R"({"selectionHotKey":null,"maxCopyFileSizeMB":null,"future":{"x":1}})");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->selectionHotKey, std::nullopt);
    EXPECT_EQ(s->maxCopyFileSizeMB, 10);
}

TEST(OndravellSettingsJSON, ReadsWholeNumbersWrittenWithAFractionAsIntegers) {
    for (const char* text : {R"({"maxCopyFileSizeMB":20.0})", R"({"maxCopyFileSizeMB":2e1})"}) {
        auto s = OndravellSettings::decode(text);
        ASSERT_TRUE(s) << text;
        EXPECT_EQ(s->maxCopyFileSizeMB, 20);
    }
    auto hotKey = OndravellSettings::decode(
        R"({"selectionHotKey":{"keyCode":4.0,"carbonModifiers":256.0,"display":"x"}})");
    ASSERT_TRUE(hotKey && hotKey->selectionHotKey);
    EXPECT_EQ(hotKey->selectionHotKey->keyCode, 4u);
}

TEST(OndravellSettingsJSON, OneWrongValueAnywhereFailsTheWholeRecord) {
    for (const char* text : {
             R"({"maxCopyFileSizeMB":"10"})",
             R"({"maxCopyFileSizeMB":10.5})",
             R"({"selectionEnabled":1})",
             R"({"enabledActionIDs":["copy.path",7]})",
             R"({"selectionHotKey":{"keyCode":1,"carbonModifiers":2}})",
             R"({"globalHotKeys":{"copy.path":{"keyCode":4294967296,"carbonModifiers":0,"display":"x"}}})",
             R"({"globalHotKeys":{"copy.path":{"keyCode":-1,"carbonModifiers":0,"display":"x"}}})",
             R"({"customPathTemplates":[{"id":"a","name":"b"}]})",
             R"({"actionRules":{"copy.path":{"appliesTo":"everything"}}})",
             R"({"selectionCustomEngines":[{"id":"a","name":"b"}]})",
             R"({"actionGroupAssignment":{"hash":null}})",
             R"([])",
             R"({"enabledActionIDs":)",
         })
        EXPECT_FALSE(OndravellSettings::decode(text)) << text;
}

TEST(OndravellSettingsJSON, ReadsAnEngineWithoutAutoSubmitsAsFalse) {
    auto s = OndravellSettings::decode(
        R"({"selectionCustomAIEngines":[{"id":"a","name":"A","urlTemplate":"x:{q}"}]})");
    ASSERT_TRUE(s);
    ASSERT_EQ(s->selectionCustomAIEngines.size(), 1u);
    EXPECT_FALSE(s->selectionCustomAIEngines[0].autoSubmits);
}
