#include "App/MainWindow/Pages/AddTemplateSheet.h"
#include "App/MainWindow/Pages/TemplateRow.h"
#include "App/MainWindow/Pages/TemplatesSettingsView.h"
#include "App/MainWindow/Widgets/ReorderableRowList.h"
#include "core/FileOps/TemplateIconStore.h"
#include "platform/memory/MemoryFileDialog.h"
#include "tests/Extensions/FinderSync/FileActionTestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace ondravell;
using namespace ondravell::test;

namespace {

class TemplatesSettingsViewTest : public FileActionTest {
protected:
    platform::MemoryFileDialog dialog;
    TemplateIconStore icons{TemplateStore::appGroupID};

    std::unique_ptr<TemplatesSettingsView> openPage() {
        auto page = std::make_unique<TemplatesSettingsView>(dialog);
        page->resize(560, 600);
        page->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(page.get()));
        return page;
    }
    // The titles of the file manager's new-file submenu for a click into a folder, as it is built now.
    std::vector<std::string> newFileMenu() {
        clickInto(folder("target"));
        Menu menu = extension().menu(MenuKind::contextualMenuForContainer);
        for (const MenuItem& item : menu.items)
            if (item.title == "新建文件" && item.submenu)
                return titles(*item.submenu);
        ADD_FAILURE() << "no new-file submenu";
        return {};
    }
    bool inMenu(const std::string& title) {
        auto shown = newFileMenu();
        return std::ranges::find(shown, title) != shown.end();
    }
    std::filesystem::path picture(int width, int height) const {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        std::filesystem::path path = container.root / "picture.png";
        image.save(QString::fromStdString(path.string()));
        return path;
    }
    static void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    // Text as an input method commits it, as Chinese is typed.
    static void type(QWidget* field, const QString& text) {
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(field, &event);
    }
    static void runShown(AddTemplateSheet& sheet, const std::function<void()>& steps) {
        sheet.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
        steps();
    }
};

} // namespace

TEST_F(TemplatesSettingsViewTest, BuiltinsShowWithSwitchesOnlyAndCancellingWritesNothing) {
    auto page = openPage();
    const auto& rows = page->list()->rows();
    ASSERT_EQ(rows.size(), FileTemplate::builtins().size());
    TemplateRow* text = page->row("txt");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->name(), "文本文件");
    EXPECT_EQ(text->editButton(), nullptr);
    EXPECT_EQ(text->deleteButton(), nullptr);
    EXPECT_TRUE(text->visibilitySwitch()->isChecked());

    page->runSheet = [&](AddTemplateSheet& sheet) {
        runShown(sheet, [&] {
            EXPECT_EQ(sheet.windowTitle(), "添加自定义模板");
            EXPECT_FALSE(sheet.confirmButton()->isEnabled());
            type(sheet.nameField(), "草稿");
            QTest::keyClicks(sheet.extensionField(), "  ");
            EXPECT_FALSE(sheet.confirmButton()->isEnabled());
            click(sheet.cancelButton());
        });
    };
    click(page->addButton());
    EXPECT_FALSE(std::filesystem::exists(settingsFile()));
    EXPECT_FALSE(std::filesystem::exists(*TemplateStore(TemplateStore::appGroupID).fileURL()));
}

TEST_F(TemplatesSettingsViewTest, AddEditHideMoveAndDeleteReachTheNewFileSubmenu) {
    auto page = openPage();
    dialog.answer(picture(300, 200));
    page->runSheet = [&](AddTemplateSheet& sheet) {
        runShown(sheet, [&] {
            type(sheet.nameField(), " 配置文件 ");
            QTest::keyClicks(sheet.extensionField(), "txt");
            sheet.presetMenu()->actions().front()->trigger(); // ".conf" replaces what was typed
            EXPECT_EQ(sheet.extensionField()->text(), "conf");
            click(sheet.uploadButton());
            EXPECT_TRUE(sheet.removeButton()->isVisible());
            EXPECT_FALSE(sheet.symbolCell("doc")->isChecked());
            QTest::keyClicks(sheet.contentEditor(), "key = value");
            ASSERT_TRUE(sheet.confirmButton()->isEnabled());
            click(sheet.confirmButton());
        });
    };
    click(page->addButton());

    ASSERT_EQ(page->list()->rows().size(), 20u);
    auto* added = static_cast<TemplateRow*>(page->list()->rows().back());
    const FileTemplate made = added->fileTemplate();
    EXPECT_EQ(made.displayNameKey, "配置文件");
    EXPECT_EQ(made.content, "key = value");
    ASSERT_TRUE(made.customIconFilename);
    QImage stored(QString::fromStdString(icons.iconURL(*made.customIconFilename)->string()));
    EXPECT_EQ(stored.size(), QSize(128, 85));
    EXPECT_TRUE(added->showsPicture());
    EXPECT_TRUE(inMenu("配置文件 (.conf)"));

    click(added->visibilitySwitch());
    EXPECT_FALSE(added->visibilitySwitch()->isChecked());
    EXPECT_FALSE(inMenu("配置文件 (.conf)"));
    click(added->visibilitySwitch());
    EXPECT_TRUE(inMenu("配置文件 (.conf)"));

    page->list()->onMove({19}, 0);
    EXPECT_EQ(newFileMenu().front(), "配置文件 (.conf)");

    // Editing keeps the id and the place; a symbol replaces the picture, whose file goes.
    page->runSheet = [&](AddTemplateSheet& sheet) {
        runShown(sheet, [&] {
            EXPECT_EQ(sheet.windowTitle(), "编辑模板");
            EXPECT_EQ(sheet.confirmButton()->text(), "保存");
            sheet.nameField()->selectAll();
            type(sheet.nameField(), "环境");
            click(static_cast<QToolButton*>(sheet.symbolCell("leaf")));
            EXPECT_TRUE(sheet.symbolCell("leaf")->isChecked());
            EXPECT_FALSE(sheet.removeButton()->isVisible());
            click(sheet.confirmButton());
        });
    };
    click(page->row(made.id)->editButton());
    TemplateRow* edited = page->row(made.id);
    EXPECT_EQ(page->list()->rows().front(), edited);
    EXPECT_EQ(edited->fileTemplate().iconSymbol, "leaf");
    EXPECT_FALSE(edited->showsPicture());
    EXPECT_FALSE(std::filesystem::exists(*icons.iconURL(*made.customIconFilename)));
    EXPECT_EQ(newFileMenu().front(), "环境 (.conf)");

    click(edited->deleteButton());
    QApplication::processEvents();
    EXPECT_EQ(page->row(made.id), nullptr);
    EXPECT_EQ(page->list()->rows().size(), 19u);
    EXPECT_FALSE(inMenu("环境 (.conf)"));
    EXPECT_EQ(newFileMenu().front(), "文本文件 (.txt)");
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
