#include "App/MainWindow/Models/SelectionSettingsModel.h"

#include "platform/memory/MemoryAccessibilityTrust.h"
#include "tests/App/MainWindow/SettingsFileFixture.h"

#include <functional>

using namespace ondravell;
using namespace ondravell::test;

namespace {

using IDs = std::vector<std::string>;

const IDs defaultIDs{"translate",    "dictionary", "search",       "copyText", "askAI",
                     "openDetected", "wordCount",  "caseConvert",  "encode",   "jsonTool",
                     "calculate",    "timestamp",  "colorPreview", "cleanText"};

class SelectionSettingsModelTest : public SettingsFileTest {
protected:
    platform::MemoryAccessibilityTrust trust{true};
    int rearms = 0;
    int reloads = 0;
    // What the settings file held each time the trigger was re-armed.
    std::vector<OndravellSettings> seenAtRearm;
    SelectionSettingsModel page{{&trust,
                                 [this] {
                                     ++rearms;
                                     seenAtRearm.push_back(stored());
                                 },
                                 [this] { ++reloads; }}};

    IDs shownIDs() const {
        IDs ids;
        for (const SelectionAction& action : page.orderedActions())
            ids.emplace_back(action.id());
        return ids;
    }
    IDs switchedOn() const {
        IDs ids;
        for (const SelectionAction& action : page.orderedActions())
            if (page.isActionEnabled(action.id()))
                ids.emplace_back(action.id());
        return ids;
    }
};

} // namespace

TEST_F(SelectionSettingsModelTest, WithoutAFileTheDefaultsShowAndLoadingWritesNothing) {
    page.load();
    EXPECT_FALSE(page.enabled());
    EXPECT_TRUE(page.triggerAuto());
    EXPECT_EQ(page.hotKey(), std::nullopt);
    EXPECT_EQ(page.barStyle(), "iconText");
    IDs table = defaultIDs;
    table.push_back("qrCode");
    EXPECT_EQ(shownIDs(), table);
    EXPECT_EQ(switchedOn(), defaultIDs);
    EXPECT_EQ(settingsBytes(), std::nullopt);
}

TEST_F(SelectionSettingsModelTest, EachControlWritesOnlyItsFieldAndReArmsOrReloadsAsItMust) {
    const std::string original = R"({"selectionEnabled": true, "selectionTriggerAuto": true,
        "selectionActionIDs": ["copyText", "nonsense", "translate"], "selectionBarStyle": "text",
        "selectionHotKey": {"keyCode": 1, "carbonModifiers": 256, "display": "⌘S"},
        "favoriteTargets": ["/tmp"], "selectionAppBlacklist": ["x"]})";
    const HotKeySpec recorded{0x28, 0x1100, "⌃⌘K"};
    struct Case {
        const char* name;
        std::function<void(SelectionSettingsModel&)> change;
        std::function<void(OndravellSettings&)> expected;
        int rearms, reloads;
    };
    const Case cases[] = {
        {"off", [](auto& p) { p.setEnabled(false); }, [](auto& s) { s.selectionEnabled = false; }, 1, 1},
        {"hot key only", [](auto& p) { p.setTriggerAuto(false); },
         [](auto& s) { s.selectionTriggerAuto = false; }, 1, 0},
        {"record", [&](auto& p) { p.setHotKey(recorded); }, [&](auto& s) { s.selectionHotKey = recorded; }, 0,
         1},
        {"clear", [](auto& p) { p.setHotKey(std::nullopt); }, [](auto& s) { s.selectionHotKey.reset(); }, 0,
         1},
        {"style", [](auto& p) { p.setBarStyle("icon"); }, [](auto& s) { s.selectionBarStyle = "icon"; }, 0,
         0},
        // Unknown ids stay while actions are switched; the first move drops them.
        {"switch on", [](auto& p) { p.setActionEnabled("qrCode", true); },
         [](auto& s) {
             s.selectionActionIDs = {"copyText", "nonsense", "translate", "qrCode"};
         },
         0, 0},
        {"move", [](auto& p) { p.moveAction(0, 1); },
         [](auto& s) {
             s.selectionActionIDs = {"translate", "copyText"};
         },
         0, 0},
    };
    for (const Case& c : cases) {
        writeSettings(original);
        rearms = reloads = 0;
        page.load();
        // Another page changes a field meanwhile: it survives.
        OndravellSettings expected = stored();
        expected.maxCopyFileSizeMB = 3;
        SettingsService().save(expected);
        c.change(page);
        c.expected(expected);
        EXPECT_EQ(stored(), expected) << c.name;
        EXPECT_EQ(rearms, c.rearms) << c.name;
        EXPECT_EQ(reloads, c.reloads) << c.name;
    }
}

TEST_F(SelectionSettingsModelTest, TheTriggerIsReArmedFromWhatWasJustSavedAndTrustIsReadAgain) {
    platform::MemoryAccessibilityTrust untrusted(false);
    SelectionSettingsModel wayland({&untrusted, [this] { seenAtRearm.push_back(stored()); }, nullptr});
    wayland.load();
    EXPECT_FALSE(wayland.trusted());
    wayland.setEnabled(true);
    ASSERT_EQ(seenAtRearm.size(), 1u);
    EXPECT_TRUE(seenAtRearm[0].selectionEnabled);
    EXPECT_FALSE(wayland.trusted());

    page.load();
    int queries = trust.queryCount();
    trust.missing = "缺少的服务";
    EXPECT_EQ(page.missingServices(), std::nullopt);
    page.setEnabled(true);
    EXPECT_GT(trust.queryCount(), queries);
    EXPECT_EQ(page.missingServices(), "缺少的服务") << "read again with the trust";
    page.setTriggerAuto(false);
    ASSERT_EQ(seenAtRearm.size(), 3u);
    EXPECT_FALSE(seenAtRearm[2].selectionTriggerAuto);
    EXPECT_TRUE(seenAtRearm[2].selectionEnabled);
}

TEST_F(SelectionSettingsModelTest, SwitchingAndMovingActions) {
    struct Case {
        const char* name;
        IDs saved;
        std::function<void(SelectionSettingsModel&)> change;
        IDs expectedSaved;
        IDs expectedShownFirst; // the first rows after the change
    };
    IDs defaultsAndQR = defaultIDs;
    defaultsAndQR.push_back("qrCode");
    IDs withoutSearch = defaultIDs;
    std::erase(withoutSearch, "search");
    const Case cases[] = {
        {"default plus one",
         {},
         [](auto& p) { p.setActionEnabled("qrCode", true); },
         defaultsAndQR,
         {"translate"}},
        {"appended after the enabled",
         {"search", "copyText"},
         [](auto& p) { p.setActionEnabled("translate", true); },
         {"search", "copyText", "translate"},
         {"search", "copyText", "translate", "dictionary"}},
        {"off joins the disabled in table order",
         {"search", "copyText", "askAI"},
         [](auto& p) { p.setActionEnabled("copyText", false); },
         {"search", "askAI"},
         {"search", "askAI", "translate", "dictionary", "copyText"}},
        {"last one off reads as never customised",
         {"search"},
         [](auto& p) { p.setActionEnabled("search", false); },
         {},
         {"translate", "dictionary", "search"}},
        {"off from the defaults",
         {},
         [](auto& p) { p.setActionEnabled("search", false); },
         withoutSearch,
         {"translate", "dictionary", "copyText"}},
        {"drag keeps the switches",
         {"search", "copyText"},
         [](auto& p) { p.moveActions({1}, 0); },
         {"copyText", "search"},
         {"copyText", "search", "translate"}},
        {"a moved disabled action goes back",
         {"search", "copyText"},
         [](auto& p) { p.moveActions({5}, 0); },
         {"search", "copyText"},
         {"search", "copyText", "translate", "dictionary", "askAI"}},
        {"down goes after the successor",
         {"search", "copyText", "askAI"},
         [](auto& p) { p.moveAction(0, 1); },
         {"copyText", "search", "askAI"},
         {"copyText", "search", "askAI"}},
        {"up on the first row does nothing",
         {"search", "copyText"},
         [](auto& p) { p.moveAction(0, -1); },
         {"search", "copyText"},
         {"search", "copyText"}},
        {"down on the last row does nothing",
         {"search"},
         [](auto& p) { p.moveAction(14, 1); },
         {"search"},
         {"search"}},
        {"a repeated id shows once",
         {"copyText", "search", "copyText"},
         [](auto& p) { p.moveAction(1, -1); },
         {"search", "copyText"},
         {"search", "copyText", "translate"}},
    };
    for (const Case& c : cases) {
        OndravellSettings settings;
        settings.selectionActionIDs = c.saved;
        SettingsService().save(settings);
        page.load();
        c.change(page);
        EXPECT_EQ(stored().selectionActionIDs, c.expectedSaved) << c.name;
        IDs shown = shownIDs();
        EXPECT_EQ(shown.size(), 15u) << c.name;
        shown.resize(c.expectedShownFirst.size());
        EXPECT_EQ(shown, c.expectedShownFirst) << c.name;
    }
}
