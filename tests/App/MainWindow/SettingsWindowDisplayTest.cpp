#include "App/MainWindow/Pages/ConditionEditor.h"
#include "App/MainWindow/Pages/FinderActionRow.h"
#include "App/MainWindow/Pages/FinderActionsSettings.h"
#include "App/MainWindow/Pages/SelectionEnginesSections.h"
#include "App/MainWindow/Pages/SelectionSettingsView.h"
#include "App/MainWindow/SettingsWindow.h"
#include "App/MainWindow/SettingsWindowController.h"
#include "App/MainWindow/Widgets/ReorderableRowList.h"
#include "App/MainWindow/Widgets/SegmentedControl.h"
#include "App/MainWindow/Widgets/SettingsPage.h"
#include "App/MainWindow/Widgets/SettingsSection.h"
#include "platform/memory/MemoryFileDialog.h"
#include "platform/memory/MemoryInstalledApplications.h"
#include "platform/memory/MemoryUserDefaults.h"
#include "tests/App/MainWindow/SettingsFileFixture.h"
#include "tests/Extensions/FinderSync/ExtensionTestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>
#include <QtTest/qtestspontaneevent.h>

using namespace ondravell;
using namespace ondravell::test;
using Section = SettingsNavigation::Section;

namespace {

class SettingsWindowDisplayTest : public ExtensionTest {
protected:
    platform::MemoryUserDefaults defaults;
    platform::MemoryFileDialog dialog;
    platform::MemoryInstalledApplications applications;
    SettingsNavigation navigation;

    std::unique_ptr<SettingsWindow> openWindow() {
        auto window = std::make_unique<SettingsWindow>(navigation,
                                                       SettingsPageServices{defaults, dialog, applications});
        window->applyPreferredSize(true);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        return window;
    }
    FinderActionsSettings& finderPage(SettingsWindow& window) {
        return *dynamic_cast<FinderActionsSettings*>(window.page(Section::finder));
    }
    std::optional<std::string> bytes() const { return fileBytes(settingsFile()); }
    OndravellSettings stored() const { return SettingsService().load(); }
    static void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    // One notch down over the middle of `control`, delivered as the window system's wheel events are
    // (which is what hands the focus to a control that takes it from the wheel).
    static void turnWheel(QWidget* control) {
        QPoint centre = control->rect().center();
        QWidget* target = control->childAt(centre) ? control->childAt(centre) : control;
        QPoint at = target->mapFrom(control, centre);
        QWheelEvent wheel(at, target->mapToGlobal(at), {}, QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QSpontaneKeyEvent::setSpontaneous(&wheel);
        QApplication::instance()->notify(target, &wheel);
    }
};

} // namespace

TEST_F(SettingsWindowDisplayTest, OpeningBrowsingAndClosingLeavesTheSettingsFileAsItWas) {
    // A removed editor matches no entry; an unreadable file shows the defaults.
    const std::vector<std::pair<std::string, int>> cases{
        {R"({"preferredEditorBundleID": "gone.editor", "maxCopyFileSizeMB": 900})", -1}, {"{ broken", 0}};
    for (const auto& [file, editorIndex] : cases) {
        writeSettings(file);
        auto window = openWindow();
        FinderActionsSettings& page = finderPage(*window);
        EXPECT_EQ(page.editorPicker()->currentIndex(), editorIndex);
        EXPECT_EQ(page.terminalPicker()->currentIndex(), 0);
        for (Section section : SettingsNavigation::allSections)
            navigation.setSelection(section);
        navigation.setSelection(Section::finder);
        window->close();
        EXPECT_EQ(bytes(), file);
    }
}

TEST_F(SettingsWindowDisplayTest, ToolbarAndSidebarFollowTheNavigation) {
    auto window = openWindow();
    SegmentedControl* arrows = window->navigationControl();
    EXPECT_FALSE(arrows->isSegmentEnabled(0));
    EXPECT_FALSE(arrows->isSegmentEnabled(1));
    EXPECT_EQ(window->titleLabel()->text(), "文件管理器右键");

    window->sidebar()->setCurrentRow(5);
    EXPECT_EQ(window->titleLabel()->text(), "关于");
    EXPECT_TRUE(arrows->isSegmentEnabled(0));
    click(arrows->button(0));
    EXPECT_EQ(window->current(), Section::finder);
    EXPECT_EQ(window->sidebar()->currentRow(), 1);
    EXPECT_TRUE(arrows->isSegmentEnabled(1));
    EXPECT_FALSE(arrows->button(0)->isChecked());
    click(arrows->button(1));
    EXPECT_EQ(window->current(), Section::about);
}

TEST_F(SettingsWindowDisplayTest, FinderPageEditsReachTheFileAndTheExtensionsMenu) {
    writeSettings("{\"enabledActionIDs\": [\"copy.path\", \"copy.file\", \"delete\"]}");
    auto window = openWindow();
    FinderActionsSettings& page = finderPage(*window);

    click(page.nestControl()->button(1));
    EXPECT_TRUE(stored().nestUnderOndravell);

    FinderActionRow* copy = page.row("copy.file");
    click(copy->enableSwitch());
    EXPECT_FALSE(stored().enabledIDSet().contains("copy.file"));

    page.sizeLimit()->stepBy(1);
    EXPECT_EQ(stored().maxCopyFileSizeMB, 11);
    // Typed numbers out of the range are taken whole and capped, as the arrows stop at the ends.
    for (auto [typed, capped] : {std::pair{"999", 500}, {"0", 1}, {"99999999999999999999", 500}}) {
        page.sizeLimit()->selectAll();
        QTest::keyClicks(page.sizeLimit(), typed);
        QTest::keyClick(page.sizeLimit(), Qt::Key_Return);
        EXPECT_EQ(stored().maxCopyFileSizeMB, capped) << typed;
    }

    // The extensions typed in the condition popover narrow the menu the extension builds.
    FinderActionRow* path = page.row("copy.path");
    click(path->conditionButton());
    ConditionEditor* editor = path->conditionEditor();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor->extensionsField(), "PNG, ");
    EXPECT_EQ(editor->extensionsField()->text(), "PNG, "); // never rewritten while typing
    EXPECT_EQ(stored().actionRules.at("copy.path").fileExtensions, std::vector<std::string>{"png"});
    EXPECT_EQ(path->conditionButton()->toolTip(), "已设置显示条件");

    installStubActions();
    select({makeFile("photo.png")});
    EXPECT_EQ(titles(extension().menu(MenuKind::contextualMenuForItems)),
              (std::vector<std::string>{"Ondravell"}));
    auto nested = extension().menu(MenuKind::contextualMenuForItems).items.front().submenu;
    ASSERT_TRUE(nested);
    EXPECT_EQ(titles(*nested).front(), "复制路径");
    select({makeFile("notes.txt")});
    nested = extension().menu(MenuKind::contextualMenuForItems).items.front().submenu;
    ASSERT_TRUE(nested);
    EXPECT_NE(titles(*nested).front(), "复制路径");
}

TEST_F(SettingsWindowDisplayTest, TheWheelOverAPickerOrStepperScrollsThePageAndChangesNothing) {
    applications.install("com.googlecode.iterm2", "iTerm");
    const std::string file = R"({"selectionEnabled": true})";
    writeSettings(file);
    auto window = openWindow();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto value = [](QWidget* control) {
        auto* picker = qobject_cast<QComboBox*>(control);
        return picker ? picker->currentIndex() : qobject_cast<QSpinBox*>(control)->value();
    };
    const std::vector<std::pair<Section, std::function<QWidget*(QWidget*)>>> controls{
        {Section::finder,
         [](QWidget* page) { return dynamic_cast<FinderActionsSettings*>(page)->terminalPicker(); }},
        {Section::finder,
         [](QWidget* page) { return dynamic_cast<FinderActionsSettings*>(page)->sizeLimit(); }},
        {Section::selection, [](QWidget* page) {
             auto* engines = dynamic_cast<SelectionSettingsView*>(page)->toolbarSections().back();
             return dynamic_cast<SelectionEnginesSections*>(engines)->picker(
                 SelectionEnginesModel::List::search);
         }}};
    for (const auto& [section, find] : controls) {
        navigation.setSelection(section);
        auto* page = dynamic_cast<QScrollArea*>(window->page(section));
        QWidget* control = find(page);
        page->verticalScrollBar()->setValue(0);
        const int before = value(control);
        turnWheel(control);
        EXPECT_EQ(value(control), before) << control->accessibleName().toStdString();
        EXPECT_FALSE(control->hasFocus());
        EXPECT_GT(page->verticalScrollBar()->value(), 0);
        EXPECT_EQ(bytes(), file);
        // Once the user gave it the focus, the control takes the wheel.
        control->setFocus(Qt::TabFocusReason);
        turnWheel(control);
        EXPECT_NE(value(control), before);
        writeSettings(file);
    }
}

TEST_F(SettingsWindowDisplayTest, TheConditionPopoverOfALowRowOpensAboveItOnTheScreen) {
    auto window = openWindow();
    QToolButton* button = finderPage(*window).row("copy.path")->conditionButton();
    // The window lowered until the button sits just above the screen's bottom edge.
    const QRect screen = window->screen()->availableGeometry();
    auto buttonTop = [&] { return button->mapToGlobal(QPoint(0, 0)).y(); };
    const int wanted = screen.bottom() - 40;
    window->move(window->x(), window->y() + wanted - buttonTop());
    QTRY_COMPARE(buttonTop(), wanted);

    click(button);
    QWidget* popover = QApplication::activePopupWidget();
    ASSERT_NE(popover, nullptr);
    EXPECT_TRUE(screen.contains(popover->frameGeometry()));
    EXPECT_LE(popover->frameGeometry().bottom(), buttonTop());
    popover->close();
}

TEST_F(SettingsWindowDisplayTest, ShowingTheMinimisedWindowRestoresIt) {
    // The controller and its window live as long as the process, and so do their services here.
    static platform::MemoryUserDefaults lastingDefaults;
    static platform::MemoryFileDialog lastingDialog;
    static platform::MemoryInstalledApplications lastingApplications;
    SettingsWindowController& controller = SettingsWindowController::shared();
    controller.setServices({lastingDefaults, lastingDialog, lastingApplications});
    controller.show();
    QWidget* window = controller.window();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    window->showMinimized();
    ASSERT_TRUE(window->isMinimized());
    controller.show(Section::about);
    EXPECT_FALSE(window->isMinimized());
    EXPECT_TRUE(window->isVisible());
    window->close();
}

TEST_F(SettingsWindowDisplayTest, ASaveThatFailsIsSaidInItsSectionAndTheStoredValueShownAgain) {
    const std::string file = R"({"enabledActionIDs": ["copy.path", "cut.file"]})";
    writeSettings(file);
    auto window = openWindow();
    FinderActionsSettings& page = finderPage(*window);
    auto sectionOf = [](QWidget* widget) -> SettingsSection* {
        for (; widget; widget = widget->parentWidget())
            if (auto* section = dynamic_cast<SettingsSection*>(widget))
                return section;
        return nullptr;
    };
    FinderActionRow* cut = page.row("cut.file");
    SettingsSection* actions = sectionOf(cut);
    {
        ReadOnlySettingsFolder readOnly(settingsFile().parent_path());
        click(cut->enableSwitch());
    }
    EXPECT_TRUE(cut->enableSwitch()->isChecked());
    EXPECT_EQ(bytes(), file);
    EXPECT_EQ(actions->warning(), SettingsPage::saveFailedText);
    EXPECT_EQ(sectionOf(page.sizeLimit())->warning(), "");

    click(cut->enableSwitch());
    EXPECT_FALSE(cut->enableSwitch()->isChecked());
    EXPECT_FALSE(stored().enabledIDSet().contains("cut.file"));
    EXPECT_EQ(actions->warning(), "");
}

TEST_F(SettingsWindowDisplayTest, DeleteAsksFirstAndKeepsItsWarningWhenMoved) {
    auto window = openWindow();
    FinderActionsSettings& page = finderPage(*window);
    bool confirm = false;
    page.confirmDangerous = [&] { return confirm; };
    auto before = bytes();

    FinderActionRow* remove = page.row("delete");
    click(remove->enableSwitch());
    EXPECT_FALSE(remove->enableSwitch()->isChecked());
    EXPECT_EQ(bytes(), before);
    confirm = true;
    click(remove->enableSwitch());
    EXPECT_TRUE(remove->enableSwitch()->isChecked());
    EXPECT_TRUE(stored().enabledIDSet().contains("delete"));

    auto& rows = page.actionList()->rows();
    auto at = static_cast<std::size_t>(std::find(rows.begin(), rows.end(), remove) - rows.begin());
    page.actionList()->onMoveBy(at, -1);
    EXPECT_EQ(page.actionList()->rows()[at - 1], remove);
    ASSERT_NE(remove->dangerBadge(), nullptr);
    EXPECT_TRUE(remove->dangerBadge()->isVisible());
    EXPECT_EQ(remove->dangerBadge()->text(), "危险");
}

TEST_F(SettingsWindowDisplayTest, NewGroupNamesAreTrimmedAndBlankOnesIgnored) {
    auto window = openWindow();
    FinderActionsSettings& page = finderPage(*window);
    FinderActionRow* hash = page.row("hash");
    auto menuTitles = [&] {
        QMenu menu;
        hash->fillGroupMenu(&menu);
        QStringList items;
        for (QAction* item : menu.actions())
            items << (item->isSeparator() ? QStringLiteral("---") : item->text());
        return items;
    };
    EXPECT_EQ(menuTitles(), (QStringList{"无分组", "---", "新建分组…"}));
    hash->createGroup(QStringLiteral("\u3000 "));
    EXPECT_TRUE(stored().actionGroupAssignment.empty());
    hash->createGroup(QStringLiteral(" 校验\t"));
    EXPECT_EQ(stored().actionGroupAssignment.at("hash"), "校验");
    EXPECT_TRUE(hash->groupBadge()->isVisible());
    EXPECT_EQ(hash->groupBadge()->text(), "校验");
    EXPECT_EQ(menuTitles(), (QStringList{"无分组", "---", "校验", "---", "新建分组…"}));
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
