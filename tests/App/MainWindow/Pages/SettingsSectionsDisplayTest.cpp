#include "App/MainWindow/Pages/AboutView.h"
#include "App/MainWindow/Pages/FavoriteTargetsSection.h"
#include "App/MainWindow/Pages/GeneralSettingsView.h"
#include "App/MainWindow/Pages/HotKeysSection.h"
#include "App/MainWindow/Pages/PathTemplatesSection.h"
#include "App/MainWindow/Widgets/KeyRecorderField.h"
#include "App/Services/ICloudSync.h"
#include "App/Services/UpdateChecker.h"
#include "platform/FinderExtensionStatus.h"
#include "platform/KeyboardLayout.h"
#include "platform/memory/MemoryFileDialog.h"
#include "platform/memory/MemoryFolderWatcher.h"
#include "platform/memory/MemoryLoginItem.h"
#include "platform/memory/MemoryUserDefaults.h"
#include "tests/App/MainWindow/SettingsFileFixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

using namespace ondravell;
using namespace ondravell::test;

namespace {

// Every key is the K key: synthesised key events carry no native key code.
struct KKeyLayout final : platform::KeyboardLayout {
    platform::KeyDescription describe(std::uint32_t) const override { return {0x28, "k"}; }
};

struct DisabledExtension final : platform::FinderExtensionStatus {
    bool isExtensionEnabled() const override { return false; }
};

int argc = 1;
char name[] = "test";
char* argv[] = {name, nullptr};

class SettingsSectionsDisplayTest : public SettingsFileTest {
protected:
    static void SetUpTestSuite() {
        if (!qApp)
            new QApplication(argc, argv);
    }
    // Shows `content` in a window of its own, as a page shows its sections.
    std::unique_ptr<QWidget> showIn(QWidget* content) {
        auto window = std::make_unique<QWidget>();
        (new QVBoxLayout(window.get()))->addWidget(content);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        return window;
    }
    // On the box itself: a wide check box takes clicks only on its box and text.
    static void clickBox(QCheckBox* box) {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    }
};

} // namespace

TEST_F(SettingsSectionsDisplayTest, SectionsSaveWhatTheUserDoes) {
    writeSettings(R"({"favoriteTargets": ["/1", "/2", "/3", "/4", "/5", "/6", "/7"]})");
    platform::MemoryFileDialog dialog;
    dialog.answer(std::filesystem::path("/8"));
    auto* favorites = new FavoriteTargetsSection(dialog);
    auto* templates = new PathTemplatesSection;
    KKeyLayout layout;
    int reloads = 0;
    auto* hotKeys = new HotKeysSection(&layout, [&] { ++reloads; });
    auto* column = new QWidget;
    auto* layoutColumn = new QVBoxLayout(column);
    layoutColumn->addWidget(favorites);
    layoutColumn->addWidget(templates);
    layoutColumn->addWidget(hotKeys);
    auto window = showIn(column);

    ASSERT_TRUE(favorites->addButton()->isEnabled());
    QTest::mouseClick(favorites->addButton(), Qt::LeftButton);
    EXPECT_EQ(stored().favoriteTargets.back(), "/8");
    EXPECT_FALSE(favorites->addButton()->isEnabled()) << "eight favourites disable adding";

    EXPECT_FALSE(templates->addButton()->isEnabled());
    QTest::keyClicks(templates->nameField(), "  Unix ");
    QTest::keyClicks(templates->templateField(), "{parent}/{name}");
    QTest::keyClick(templates->templateField(), Qt::Key_Return);
    EXPECT_TRUE(stored().customPathTemplates.empty()) << "Return adds nothing";
    QTest::mouseClick(templates->addButton(), Qt::LeftButton);
    ASSERT_EQ(stored().customPathTemplates.size(), 1u);
    EXPECT_EQ(stored().customPathTemplates[0].name, "Unix");
    EXPECT_TRUE(templates->nameField()->text().isEmpty());

    // A window shortcut on Escape never fires while a recorder waits for a key.
    int escapes = 0;
    auto* escape = new QAction(window.get());
    escape->setShortcut(Qt::Key_Escape);
    window->addAction(escape);
    QObject::connect(escape, &QAction::triggered, [&] { ++escapes; });
    KeyRecorderField* recorder = hotKeys->recorder("copy.path");
    ASSERT_NE(recorder, nullptr);
    QTest::mouseClick(recorder->button(), Qt::LeftButton);
    EXPECT_EQ(recorder->button()->text(), "按下快捷键…");
    QTest::keyClick(recorder->button(), Qt::Key_Escape);
    EXPECT_FALSE(recorder->isRecording());
    EXPECT_EQ(escapes, 0);
    EXPECT_TRUE(stored().globalHotKeys.empty());

    QTest::mouseClick(recorder->button(), Qt::LeftButton);
    QTest::keyClick(recorder->button(), Qt::Key_Shift, Qt::ShiftModifier);
    EXPECT_TRUE(recorder->isRecording()) << "a lone modifier keeps recording";
    QTest::keyClick(recorder->button(), Qt::Key_K, Qt::ShiftModifier | Qt::MetaModifier);
    EXPECT_FALSE(recorder->isRecording());
    EXPECT_EQ(stored().globalHotKeys.at("copy.path"), (HotKeySpec{0x28, 0x300, "⇧⌘K"}));
    EXPECT_EQ(recorder->button()->text(), "⇧⌘K");
    QTest::mouseClick(recorder->clearButton(), Qt::LeftButton);
    EXPECT_TRUE(stored().globalHotKeys.empty());
    EXPECT_EQ(reloads, 2);
}

TEST_F(SettingsSectionsDisplayTest, GeneralSettingsViewDrivenThroughItsControls) {
    platform::MemoryLoginItem loginItem;
    loginItem.refuses = true;
    platform::MemoryUserDefaults defaults;
    defaults.setBool("hideMenuBarIcon", true);
    DisabledExtension extension;
    platform::MemoryFolderWatcher watcher;
    platform::MemoryFileDialog dialog;
    const std::filesystem::path cloud = container.root / "cloud";
    std::filesystem::create_directories(cloud);
    ICloudSync sync(
        {&defaults, nullptr, &watcher, [] { return 1'800'000'000.0; }, {}, std::nullopt, cloud, nullptr});
    std::vector<std::string> toasts;
    UpdateChecker checker({});
    auto* page = new GeneralSettingsView(
        {loginItem,
         defaults,
         extension,
         &sync,
         {&dialog, [] { return true; },
          [&](const ConfigBackup::Message& message) { toasts.push_back(message.text); }}},
        nullptr, checker);
    auto window = showIn(page);

    EXPECT_TRUE(page->hideIconSwitch()->isChecked());
    clickBox(page->launchAtLoginSwitch());
    EXPECT_FALSE(page->launchAtLoginSwitch()->isChecked()) << "a refused registration shows the real state";
    EXPECT_EQ(loginItem.calls, 1);
    clickBox(page->hideIconSwitch());
    EXPECT_EQ(defaults.boolForKey("hideMenuBarIcon"), false);

    ASSERT_TRUE(page->cloudSyncSwitch()->isVisible());
    EXPECT_FALSE(page->lastSyncLine()->isVisible());
    clickBox(page->cloudSyncSwitch());
    EXPECT_EQ(defaults.boolForKey("iCloudSyncEnabled"), true);
    EXPECT_TRUE(std::filesystem::exists(cloud / "Ondravell/Ondravell-sync.json"));
    EXPECT_TRUE(page->lastSyncLine()->isVisible());
    EXPECT_TRUE(page->lastSyncLine()->text().startsWith("上次同步："));
    clickBox(page->cloudSyncSwitch());
    EXPECT_TRUE(watcher.watchedPaths().empty());
    EXPECT_FALSE(page->lastSyncLine()->isVisible());

    dialog.answer(container.root / "backup.json");
    QTest::mouseClick(page->exportButton(), Qt::LeftButton);
    EXPECT_EQ(toasts, std::vector<std::string>{"配置已导出"});
    EXPECT_TRUE(std::filesystem::exists(container.root / "backup.json"));
    EXPECT_FALSE(settingsBytes().has_value()) << "the general page writes no settings";
}

TEST_F(SettingsSectionsDisplayTest, UpdateRowShowsANewVersionInOrangeAndShortensAVeryLongOne) {
    std::string longVersion = "99";
    while (longVersion.size() < 30'000)
        longVersion += ".1";
    UpdateChecker checker({nullptr,
                           [] { return 0.0; },
                           [&](auto done) {
                               done(RemoteVersion{longVersion, "https://example.org", {}});
                           },
                           {},
                           {},
                           nullptr});
    checker.check(false);
    platform::MemoryLoginItem loginItem;
    platform::MemoryUserDefaults defaults;
    DisabledExtension extension;
    auto window = showIn(new GeneralSettingsView({loginItem, defaults, extension}, nullptr, checker));
    window->resize(640, 700);
    QApplication::processEvents();
    QPushButton* check = nullptr;
    for (auto* button : window->findChildren<QPushButton*>())
        if (button->text() == "检查更新")
            check = button;
    QLabel* status = nullptr;
    for (auto* label : window->findChildren<QLabel*>())
        if (label->text().startsWith("有新版本 99.1.1"))
            status = label;
    ASSERT_TRUE(check && status);
    EXPECT_LE(check->mapTo(window.get(), QPoint(check->width(), 0)).x(), window->width())
        << "the buttons stay in view";
    EXPECT_EQ(status->palette().color(status->foregroundRole()), QColor(240, 140, 0));
}

TEST(AboutView, VersionTextMarksMissingParts) {
    EXPECT_EQ(AboutView::versionText("1.2", "34"), "1.2 (34)");
    EXPECT_EQ(AboutView::versionText("1.2", ""), "1.2 (—)");
    EXPECT_EQ(AboutView::versionText("", ""), "— (—)");
}
