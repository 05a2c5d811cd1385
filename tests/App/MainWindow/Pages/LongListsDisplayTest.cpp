// Favourites, path templates, engines and excluded applications written by hand far beyond what the pages
// add: the sections show them in a bounded number of rows, reach every entry by scrolling, and a removal
// keeps every other entry.
#include "App/MainWindow/Pages/FavoriteTargetsSection.h"
#include "App/MainWindow/Pages/PathTemplatesSection.h"
#include "App/MainWindow/Pages/SelectionEnginesSections.h"
#include "core/SharedConfig/SettingsService.h"
#include "platform/memory/MemoryFileDialog.h"
#include "platform/memory/MemoryInstalledApplications.h"
#include "tests/App/MainWindow/LongListsSettings.h"
#include "tests/App/MainWindow/SettingsFileFixture.h"

#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

using namespace ondravell;
using namespace ondravell::test;
using List = SelectionEnginesModel::List;

namespace {

constexpr int entryCount = 10000;

int argc = 1;
char name[] = "test";
char* argv[] = {name, nullptr};

class LongListsDisplayTest : public SettingsFileTest {
protected:
    static void SetUpTestSuite() {
        if (!qApp)
            new QApplication(argc, argv);
    }
};

// The delete buttons on screen, top to bottom.
std::vector<QToolButton*> shownDeleteButtons(QWidget* section) {
    std::vector<QToolButton*> buttons;
    for (QToolButton* button : section->findChildren<QToolButton*>())
        if (button->accessibleName() == QStringLiteral("删除") && button->isVisible())
            buttons.push_back(button);
    std::sort(buttons.begin(), buttons.end(), [section](QToolButton* a, QToolButton* b) {
        return a->mapTo(section, QPoint()).y() < b->mapTo(section, QPoint()).y();
    });
    return buttons;
}

// The texts of the row a delete button ends.
QStringList rowTexts(QToolButton* button) {
    QStringList texts;
    for (QLabel* label : button->parentWidget()->findChildren<QLabel*>())
        if (!label->text().isEmpty())
            texts << label->text();
    return texts;
}

} // namespace

TEST_F(LongListsDisplayTest, TenThousandEntriesShowInAFewRowsAndStayStored) {
    OndravellSettings settings = settingsWithLongLists(entryCount);
    SettingsService().save(settings);
    platform::MemoryFileDialog dialog;
    platform::MemoryInstalledApplications applications;
    auto* favorites = new FavoriteTargetsSection(dialog);
    auto* templates = new PathTemplatesSection;
    auto* engines = new SelectionEnginesSections({applications, nullptr});
    QWidget window;
    auto* column = new QVBoxLayout(&window);
    column->addWidget(favorites);
    column->addWidget(templates);
    column->addWidget(engines);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    using Texts = std::function<QStringList(const QString& number)>;
    const std::vector<std::pair<QWidget*, Texts>> lists{
        {favorites,
         [](const QString& n) {
             return QStringList{"folder-" + n, "/srv/folder-" + n};
         }},
        {templates,
         [](const QString& n) {
             return QStringList{"格式 " + n, "{parent}/" + n};
         }},
        {engines->customRows(List::search)->parentWidget(),
         [](const QString& n) {
             return QStringList{"引擎 " + n, "https://e/?q={q}"};
         }},
        {engines->customRows(List::ai)->parentWidget(),
         [](const QString& n) {
             return QStringList{"AI " + n, "https://a/?q={q}"};
         }},
        {engines->excludedRows()->parentWidget(),
         [](const QString& n) { return QStringList{"org.example.App" + n}; }},
    };
    for (const auto& [list, texts] : lists) {
        std::vector<QToolButton*> rows = shownDeleteButtons(list);
        ASSERT_FALSE(rows.empty());
        EXPECT_LE(rows.size(), 12u) << "a row for each entry is built at every showing";
        EXPECT_EQ(rowTexts(rows.front()), texts("0"));
        auto* scrollBar = list->findChild<QScrollBar*>();
        ASSERT_NE(scrollBar, nullptr);

        // The last entry, scrolled to, goes; then one in the middle.
        scrollBar->setValue(scrollBar->maximum());
        rows = shownDeleteButtons(list);
        EXPECT_EQ(rowTexts(rows.back()), texts(QString::number(entryCount - 1)));
        QTest::mouseClick(rows.back(), Qt::LeftButton);
        scrollBar->setValue(5000);
        rows = shownDeleteButtons(list);
        EXPECT_EQ(rowTexts(rows[2]), texts("5002"));
        QTest::mouseClick(rows[2], Qt::LeftButton);
        QApplication::processEvents();
        EXPECT_EQ(rowTexts(shownDeleteButtons(list)[2]), texts("5003"));
    }
    // Every other entry is stored as it was, in its order.
    auto removeLastAndMiddle = [](auto& entries) {
        entries.pop_back();
        entries.erase(entries.begin() + 5002);
    };
    removeLastAndMiddle(settings.favoriteTargets);
    removeLastAndMiddle(settings.customPathTemplates);
    removeLastAndMiddle(settings.selectionCustomEngines);
    removeLastAndMiddle(settings.selectionCustomAIEngines);
    removeLastAndMiddle(settings.selectionAppBlacklist);
    EXPECT_EQ(stored(), settings);
}
