// Favourites and path templates written by hand far beyond the 8 the pages add: the sections show them
// in a bounded number of rows, reach every entry by scrolling, and a removal keeps every other entry.
#include "App/MainWindow/Pages/FavoriteTargetsSection.h"
#include "App/MainWindow/Pages/PathTemplatesSection.h"
#include "core/SharedConfig/SettingsService.h"
#include "platform/memory/MemoryFileDialog.h"
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
    OndravellSettings settings;
    for (int i = 0; i < entryCount; ++i) {
        const std::string number = std::to_string(i);
        settings.favoriteTargets.push_back("/srv/folder-" + number);
        settings.customPathTemplates.push_back({"T-" + number, "格式 " + number, "{parent}/" + number});
    }
    SettingsService().save(settings);
    platform::MemoryFileDialog dialog;
    auto* favorites = new FavoriteTargetsSection(dialog);
    auto* templates = new PathTemplatesSection;
    QWidget window;
    auto* column = new QVBoxLayout(&window);
    column->addWidget(favorites);
    column->addWidget(templates);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    for (QWidget* section : std::initializer_list<QWidget*>{favorites, templates}) {
        const bool isFavorites = section == favorites;
        auto expectedTexts = [isFavorites](int i) {
            const QString number = QString::number(i);
            return isFavorites
                       ? QStringList{QStringLiteral("folder-") + number,
                                     QStringLiteral("/srv/folder-") + number}
                       : QStringList{QStringLiteral("格式 ") + number, QStringLiteral("{parent}/") + number};
        };
        std::vector<QToolButton*> rows = shownDeleteButtons(section);
        ASSERT_FALSE(rows.empty());
        EXPECT_LE(rows.size(), 12u) << "a row for each entry is built at every showing";
        EXPECT_EQ(rowTexts(rows.front()), expectedTexts(0));
        auto* scrollBar = section->findChild<QScrollBar*>();
        ASSERT_NE(scrollBar, nullptr);

        // The last entry, scrolled to, goes; then one in the middle.
        scrollBar->setValue(scrollBar->maximum());
        rows = shownDeleteButtons(section);
        EXPECT_EQ(rowTexts(rows.back()), expectedTexts(entryCount - 1));
        QTest::mouseClick(rows.back(), Qt::LeftButton);
        scrollBar->setValue(5000);
        rows = shownDeleteButtons(section);
        EXPECT_EQ(rowTexts(rows[2]), expectedTexts(5002));
        QTest::mouseClick(rows[2], Qt::LeftButton);
        QApplication::processEvents();
        EXPECT_EQ(rowTexts(shownDeleteButtons(section)[2]), expectedTexts(5003));
    }
    // Every other entry is stored as it was, in its order.
    settings.favoriteTargets.pop_back();
    settings.favoriteTargets.erase(settings.favoriteTargets.begin() + 5002);
    settings.customPathTemplates.pop_back();
    settings.customPathTemplates.erase(settings.customPathTemplates.begin() + 5002);
    EXPECT_EQ(stored().favoriteTargets, settings.favoriteTargets);
    EXPECT_EQ(stored().customPathTemplates, settings.customPathTemplates);
}
