#include "App/MainWindow/Pages/SelectionEnginesSections.h"
#include "App/MainWindow/Pages/SelectionSettingsView.h"
#include "App/MainWindow/SettingsPages.h"
#include "App/MainWindow/Widgets/ApplicationChooserDialog.h"
#include "App/MainWindow/Widgets/KeyRecorderField.h"
#include "App/MainWindow/Widgets/ReorderableRowList.h"
#include "App/MainWindow/Widgets/SegmentedControl.h"
#include "platform/KeyboardLayout.h"
#include "platform/memory/MemoryAccessibilityTrust.h"
#include "platform/memory/MemoryFileDialog.h"
#include "platform/memory/MemoryInstalledApplications.h"
#include "platform/memory/MemoryUserDefaults.h"
#include "tests/App/MainWindow/SettingsFileFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

using namespace ondravell;
using namespace ondravell::test;
using List = SelectionEnginesModel::List;

namespace {

// Synthesised key events carry no native key code: every key is the J key.
struct JKeyLayout final : platform::KeyboardLayout {
    platform::KeyDescription describe(std::uint32_t) const override { return {0x26, "j"}; }
};

int argc = 1;
char name[] = "test";
char* argv[] = {name, nullptr};

// The page "划词" as the settings window makes it, on screen.
class SelectionSettingsViewDisplayTest : public SettingsFileTest {
protected:
    static void SetUpTestSuite() {
        if (!qApp)
            new QApplication(argc, argv);
    }

    platform::MemoryUserDefaults defaults;
    platform::MemoryFileDialog dialog;
    platform::MemoryInstalledApplications applications;
    platform::MemoryAccessibilityTrust trust{false};
    JKeyLayout keys;
    int rearms = 0;
    int reloads = 0;
    std::unique_ptr<QWidget> page;

    SelectionSettingsView* show() {
        SettingsPageServices services{defaults, dialog, applications};
        services.keyboardLayout = &keys;
        services.reloadHotKeys = [this] { ++reloads; };
        services.trust = &trust;
        services.rearmSelectionTrigger = [this] { ++rearms; };
        page.reset(makeSettingsPage(SettingsNavigation::Section::selection, services));
        page->resize(640, 900);
        page->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(page.get()));
        return dynamic_cast<SelectionSettingsView*>(page.get());
    }
    // The engine sections the settings window adds after the page's own.
    static SelectionEnginesSections* enginesOf(SelectionSettingsView* page) {
        return dynamic_cast<SelectionEnginesSections*>(page->toolbarSections().back());
    }
    static void clickBox(QAbstractButton* box) {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    }
    static QStringList rowTexts(QLayout* rows) {
        QStringList texts;
        for (int i = 0; i < rows->count(); ++i)
            if (QWidget* row = rows->itemAt(i)->widget())
                texts << row->findChild<QLabel*>()->text();
        return texts;
    }
};

} // namespace

TEST_F(SelectionSettingsViewDisplayTest, ToolbarControlsSaveTheirFieldsAndReArm) {
    SelectionSettingsView* selection = show();
    ASSERT_NE(selection, nullptr);
    auto* engines = enginesOf(selection);
    ASSERT_NE(engines, nullptr);
    EXPECT_FALSE(selection->actionList()->isVisible()) << "only the switch while the toolbar is off";
    EXPECT_FALSE(engines->isVisible());

    clickBox(selection->enabledSwitch());
    EXPECT_TRUE(stored().selectionEnabled);
    EXPECT_EQ(rearms, 1);
    EXPECT_EQ(reloads, 1);
    EXPECT_TRUE(selection->trustWarning()->isVisible()) << "no X11 input here";
    EXPECT_TRUE(selection->actionList()->isVisible());
    EXPECT_TRUE(engines->isVisible());
    EXPECT_TRUE(selection->triggerButton(true)->isChecked());
    EXPECT_EQ(selection->styleControl()->currentIndex(), 0);
    EXPECT_EQ(selection->actionList()->rows().size(), 15u);
    EXPECT_FALSE(selection->actionSwitch("qrCode")->isChecked());

    clickBox(selection->triggerButton(false));
    EXPECT_FALSE(stored().selectionTriggerAuto);
    EXPECT_EQ(rearms, 2);
    QTest::mouseClick(selection->styleControl()->button(2), Qt::LeftButton);
    EXPECT_EQ(stored().selectionBarStyle, "icon");
    clickBox(selection->actionSwitch("qrCode"));
    EXPECT_EQ(stored().selectionActionIDs.back(), "qrCode");
    EXPECT_EQ(selection->actionList()->rows()[14], selection->actionSwitch("qrCode")->parentWidget())
        << "switched on, it follows the other enabled actions";

    KeyRecorderField* recorder = selection->hotKeyRecorder();
    QTest::mouseClick(recorder->button(), Qt::LeftButton);
    QTest::keyClick(recorder->button(), Qt::Key_J, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(stored().selectionHotKey, (HotKeySpec{0x26, 0x1800, "⌃⌥J"}));
    EXPECT_EQ(reloads, 2);
    EXPECT_EQ(rearms, 2);

    clickBox(selection->enabledSwitch());
    EXPECT_FALSE(stored().selectionEnabled);
    EXPECT_FALSE(engines->isVisible());
    EXPECT_EQ(stored().selectionBarStyle, "icon") << "each control wrote its own field";
}

TEST_F(SelectionSettingsViewDisplayTest, EnginesAndExcludedApplicationsAreEditedInPlace) {
    writeSettings(R"({"selectionEnabled": true})");
    applications.claimScheme("obsidian");
    applications.install("org.gnome.Terminal", "终端", "utilities-terminal");
    applications.install("org.gnome.Nautilus", "文件");
    auto* engines = enginesOf(show());
    ASSERT_NE(engines, nullptr);
    ASSERT_TRUE(engines->isVisible());
    EXPECT_EQ(engines->picker(List::search)->currentData().toString(), "google");
    EXPECT_EQ(engines->picker(List::ai)->currentData().toString(), "claude");

    QTest::keyClicks(engines->nameField(List::ai), " Notes ");
    QTest::keyClicks(engines->templateField(List::ai), "file:///tmp/{q}");
    EXPECT_FALSE(engines->addButton(List::ai)->isEnabled());
    EXPECT_TRUE(engines->refusal(List::ai)->isVisible());
    engines->templateField(List::ai)->clear();
    QTest::keyClicks(engines->templateField(List::ai), "obsidian://search?query={q}");
    EXPECT_FALSE(engines->refusal(List::ai)->isVisible());
    QTest::keyClick(engines->templateField(List::ai), Qt::Key_Return);
    EXPECT_TRUE(stored().selectionCustomAIEngines.empty()) << "Return adds nothing";
    QTest::mouseClick(engines->addButton(List::ai), Qt::LeftButton);
    ASSERT_EQ(stored().selectionCustomAIEngines.size(), 1u);
    EXPECT_EQ(stored().selectionCustomAIEngines[0].name, "Notes");
    EXPECT_TRUE(engines->nameField(List::ai)->text().isEmpty());
    EXPECT_EQ(rowTexts(engines->customRows(List::ai)), QStringList{"Notes"});
    EXPECT_EQ(engines->picker(List::ai)->itemText(engines->picker(List::ai)->count() - 1), "Notes");

    // The keyboard chooses in the picker as a click would.
    engines->picker(List::search)->setFocus();
    QTest::keyClick(engines->picker(List::search), Qt::Key_Down);
    EXPECT_NE(stored().selectionSearchEngineID, "google");

    // "添加禁用 App…" offers the installed applications by name; the search narrows them, Return chooses.
    QStringList offered;
    QTimer::singleShot(0, [&] {
        auto* chooser = dynamic_cast<ApplicationChooserDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(chooser, nullptr);
        for (int row = 0; row < chooser->list()->count(); ++row)
            offered << chooser->list()->item(row)->text();
        QTest::keyClicks(chooser->searchField(), "TERM");
        QTest::keyClick(chooser->searchField(), Qt::Key_Return);
    });
    QTest::mouseClick(engines->addAppButton(), Qt::LeftButton);
    EXPECT_EQ(offered, (QStringList{"文件", "终端"}));
    EXPECT_EQ(stored().selectionAppBlacklist, std::vector<std::string>{"org.gnome.Terminal"});
    EXPECT_EQ(rowTexts(engines->excludedRows()), QStringList{"终端"});
    QToolButton* remove = engines->excludedRows()->itemAt(0)->widget()->findChild<QToolButton*>();
    QTest::mouseClick(remove, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_TRUE(stored().selectionAppBlacklist.empty());
    EXPECT_TRUE(rowTexts(engines->excludedRows()).isEmpty());
    EXPECT_EQ(stored().selectionCustomAIEngines.size(), 1u) << "each control wrote its own fields";
}

TEST_F(SelectionSettingsViewDisplayTest, ReadsTheFileWhenBuiltAndAgainInLaterShowings) {
    writeSettings(R"({"selectionEnabled": false})");
    SelectionSettingsView* selection = show();
    ASSERT_NE(selection, nullptr);
    auto* engines = enginesOf(selection);
    EXPECT_FALSE(selection->enabledSwitch()->isChecked());
    EXPECT_FALSE(engines->isVisible());

    // Changed elsewhere (an import, the other machine's sync) after the page's first turn.
    QApplication::processEvents();
    writeSettings(R"({"selectionEnabled": true, "selectionActionIDs": ["qrCode"],
        "selectionCustomEngines": [{"id": "E", "name": "引擎", "urlTemplate": "https://e.example/?q={q}",
                                    "autoSubmits": false}]})");
    page->hide();
    page->show();
    EXPECT_TRUE(selection->enabledSwitch()->isChecked());
    EXPECT_TRUE(selection->actionSwitch("qrCode")->isChecked());
    EXPECT_FALSE(selection->actionSwitch("copyText")->isChecked());
    ASSERT_TRUE(engines->isVisible()) << "the sections built hidden show what the file says now";
    EXPECT_EQ(rowTexts(engines->customRows(List::search)), QStringList{"引擎"});
}
