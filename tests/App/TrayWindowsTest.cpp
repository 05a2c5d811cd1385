// The tray's own windows on Qt's offscreen platform: names are shown as text, and the popup keeps its
// layout while it changes in the open.
#include "App/History/HistoryActions.h"
#include "App/History/HistoryView.h"
#include "App/Host/DesktopStyle.h"
#include "App/Host/MenuBarContent.h"
#include "App/NewFile/NewFileView.h"
#include "App/Toast/ToastContentView.h"
#include "tests/core/FileOps/TemporaryFolder.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace ondravell;

namespace {

class TrayWindows : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "TrayWindowsTest";
        static char* argv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }

    void record(const std::string& name) {
        history.append(FileOperation{name,
                                     FileOperation::Kind::newFile,
                                     std::chrono::system_clock::now(),
                                     {{std::nullopt, (folder / name).string()}},
                                     false});
    }

    ondravell::testing::TemporaryFolder folder;
    OperationHistory history{folder / "operation-history.json"};
    HistoryActions actions{history, [](const FileOperation&) { return UndoResult::undone; },
                           [](const std::string&, const std::string&) {}};
};

QPushButton* buttonNamed(QWidget* window, const QString& text) {
    for (QPushButton* button : window->findChildren<QPushButton*>())
        if (button->text() == text && button->isVisible())
            return button;
    return nullptr;
}

} // namespace

TEST_F(TrayWindows, NamesThatLookLikeMarkupAreShownAsText) {
    const std::string heading = "<h1>大标题", bold = "<b>粗体<b>.txt";
    record(bold);
    MenuBarContentModel model(actions, [] { return true; });
    MenuBarContent popup(model, {});
    popup.popUp({});
    HistoryView historyPage(actions);
    historyPage.reload();
    NewFileView form(folder / heading, [] {});
    ToastContentView toast;
    toast.setContent(QString::fromStdString("已新建 " + bold), QStringLiteral("doc.badge.plus"));

    for (QWidget* window : std::initializer_list<QWidget*>{&popup, &historyPage, &form, &toast}) {
        int names = 0;
        for (QLabel* label : window->findChildren<QLabel*>()) {
            if (!label->text().contains(QLatin1Char('<')))
                continue;
            ++names;
            EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->text().toStdString();
        }
        EXPECT_GT(names, 0) << window->metaObject()->className();
    }
}

TEST_F(TrayWindows, PopupKeepsItsHeightAfterItsOwnUndo) {
    record("one.txt");
    record("two.txt");
    MenuBarContentModel model(actions, [] { return true; });
    MenuBarContent popup(model, {});
    popup.popUp({});
    QCoreApplication::processEvents();
    const int height = popup.height();
    QPushButton* undo = buttonNamed(&popup, QStringLiteral("撤销"));
    ASSERT_NE(undo, nullptr);

    undo->click();
    QCoreApplication::processEvents();

    EXPECT_EQ(popup.model().undoDescription(), "新建文件 · one.txt");
    EXPECT_EQ(popup.height(), height);
}

TEST(DesktopStyle, GnomeGetsTheAdwaitaStyleWhereInstalledUnlessTheUserChoseOne) {
    const QStringList installed{"Adwaita-Dark", "Adwaita", "Windows", "Fusion"};
    struct Case {
        const char* desktops;
        const char* override;
        QStringList installed;
        bool dark;
        const char* expected;
    };
    for (const Case& c :
         {Case{"GNOME", "", installed, false, "Adwaita"},
          Case{"ubuntu:GNOME", "", installed, true, "Adwaita-Dark"},
          Case{"GNOME", "fusion", installed, false, ""}, Case{"KDE", "", installed, false, ""},
          Case{"GNOME", "", {"Windows", "Fusion"}, false, ""}})
        EXPECT_EQ(DesktopStyle::chosen(QString::fromLatin1(c.desktops), QString::fromLatin1(c.override),
                                       c.installed, c.dark),
                  QString::fromLatin1(c.expected))
            << c.desktops << " " << c.override;
}
