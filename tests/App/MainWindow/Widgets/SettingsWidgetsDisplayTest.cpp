// The settings window's own controls driven as the user drives them: the size-limit stepper and the
// hot-key recorder.
#include "App/HotKeys/HotKeyManager.h"
#include "App/MainWindow/Widgets/CappedSpinBox.h"
#include "App/MainWindow/Widgets/KeyRecorderField.h"
#include "core/SharedConfig/OndravellSettings.h"
#include "platform/KeyboardLayout.h"
#include "platform/memory/MemoryGlobalHotKeys.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace ondravell;

namespace {

// Every key is the K key: synthesised key events carry no native key code.
struct KKeyLayout final : platform::KeyboardLayout {
    platform::KeyDescription describe(std::uint32_t) const override { return {0x28, "k"}; }
};

int argc = 1;
char name[] = "test";
char* argv[] = {name, nullptr};

class SettingsWidgetsDisplayTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!qApp)
            new QApplication(argc, argv);
    }
    // Shows `content` in a window of its own, as a page shows its controls.
    static std::unique_ptr<QWidget> showIn(std::initializer_list<QWidget*> content) {
        auto window = std::make_unique<QWidget>();
        auto* column = new QVBoxLayout(window.get());
        for (QWidget* widget : content)
            column->addWidget(widget);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        return window;
    }
};

} // namespace

TEST_F(SettingsWidgetsDisplayTest, TheSizeLimitReadsDigitsOfAnyScriptByTheirValues) {
    auto* limit = new CappedSpinBox;
    limit->setRange(1, 500);
    limit->setSuffix(QStringLiteral(" MB"));
    limit->setKeyboardTracking(false);
    auto window = showIn({limit});
    const std::pair<QString, int> cases[] = {
        {QStringLiteral("50"), 50},        {QStringLiteral("５０"), 50}, // full width, from an input method
        {QStringLiteral("٥٠"), 50},                                      // Arabic-Indic
        {QStringLiteral("۵۰"), 50},                                      // extended Arabic-Indic
        {QStringLiteral("५०"), 50},                                      // Devanagari
        {QStringLiteral("5０"), 50},                                     // mixed
        {QStringLiteral("５０００"), 500}, // above the range: capped by its value
        {QStringLiteral("０"), 1},         {QStringLiteral("99999999999999999999"), 500},
        {QStringLiteral("²"), 10}, // a superscript is no digit: refused as typed
    };
    for (const auto& [typed, value] : cases) {
        limit->setValue(10);
        limit->setFocus();
        limit->selectAll();
        // As an input method commits text.
        QInputMethodEvent event;
        event.setCommitString(typed);
        QApplication::sendEvent(limit, &event);
        QTest::keyClick(limit, Qt::Key_Return);
        EXPECT_EQ(limit->value(), value) << typed.toStdString();
    }
}

TEST_F(SettingsWidgetsDisplayTest, OneRecorderListensAtATimeAndTheHotKeysComeBackWhenNoneDoes) {
    static platform::MemoryGlobalHotKeys grabs;
    OndravellSettings settings;
    settings.globalHotKeys["copy.path"] = {0x08, 0x300, "⇧⌘C"};
    HotKeyManager::Services services;
    services.hotKeys = &grabs;
    services.loadSettings = [settings] { return settings; };
    HotKeyManager::setUpShared(std::move(services));
    HotKeyManager& manager = HotKeyManager::shared();
    manager.reload();
    ASSERT_EQ(manager.registeredActions().size(), 1u);

    KKeyLayout layout;
    std::vector<std::pair<std::string, std::optional<HotKeySpec>>> changes;
    auto* copyPath = new KeyRecorderField(&layout);
    copyPath->onChange = [&](const std::optional<HotKeySpec>& hotKey) {
        changes.emplace_back("复制路径", hotKey);
    };
    auto* copy = new KeyRecorderField(&layout);
    copy->onChange = [&](const std::optional<HotKeySpec>& hotKey) { changes.emplace_back("复制", hotKey); };
    auto* field = new QLineEdit;
    auto window = showIn({copyPath, copy, field});

    QTest::mouseClick(copyPath->button(), Qt::LeftButton);
    EXPECT_TRUE(manager.registeredActions().empty()) << "released while a recorder listens";
    QTest::mouseClick(copy->button(), Qt::LeftButton);
    EXPECT_TRUE(copy->isRecording());
    EXPECT_FALSE(copyPath->isRecording()) << "starting one recorder stops the other";
    EXPECT_EQ(copyPath->button()->text(), "未设置");
    EXPECT_TRUE(manager.registeredActions().empty());

    QTest::keyClick(copy->button(), Qt::Key_K, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(changes, (decltype(changes){{"复制", HotKeySpec{0x28, 0x1800, "⌃⌥K"}}}));
    EXPECT_FALSE(copy->isRecording());
    EXPECT_FALSE(copyPath->isRecording());
    EXPECT_EQ(manager.registeredActions().size(), 1u) << "none listens: the hot keys are back";

    field->setFocus();
    QTest::keyClicks(field, "abc");
    EXPECT_EQ(field->text(), "abc") << "no recorder takes a key any more";
}
