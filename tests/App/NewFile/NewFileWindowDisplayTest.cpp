// The new-file form on a real X display without a window manager: the keyboard focus moves to a window
// of another client, as when the user clicks into another program, and the form goes away.
#include "App/NewFile/KeyablePanel.h"
#include "App/NewFile/NewFileWindowController.h"
#include "tests/core/FileOps/TemporaryFolder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QToolButton>
#include <gtest/gtest.h>
// After GoogleTest, whose own names Xlib's macros would replace.
#include <X11/Xlib.h>

using namespace ondravell;

namespace {

// Runs the event loop until `done` holds; the bound only keeps a broken build from hanging.
template <class Predicate> bool processUntil(Predicate done) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    return done();
}

KeyablePanel* visiblePanel() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* panel = dynamic_cast<KeyablePanel*>(window); panel && panel->isVisible())
            return panel;
    return nullptr;
}

std::vector<std::string>& warnings() {
    static std::vector<std::string> seen;
    return seen;
}

class NewFileWindowDisplay : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "NewFileWindowDisplayTest";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
            if (type != QtDebugMsg && type != QtInfoMsg)
                warnings().push_back(message.toStdString());
        });
    }

    void openForm() {
        NewFileWindowController::shared().show(folder.path);
        ASSERT_TRUE(processUntil([] { return visiblePanel() && visiblePanel()->isActiveWindow(); }))
            << "the form never took the keyboard";
    }

    ondravell::testing::TemporaryFolder folder;
};

} // namespace

TEST_F(NewFileWindowDisplay, ClosingTheActiveFormLeavesNothingBehind) {
    openForm();
    warnings().clear();

    NewFileWindowController::shared().close();

    EXPECT_TRUE(processUntil([] { return visiblePanel() == nullptr; }));
    EXPECT_EQ(warnings(), std::vector<std::string>{});
}

TEST_F(NewFileWindowDisplay, FormClosesWhenAnotherClientsWindowTakesTheKeyboard) {
    openForm();

    Display* other = XOpenDisplay(nullptr);
    ASSERT_NE(other, nullptr);
    ::Window window = XCreateSimpleWindow(other, DefaultRootWindow(other), 0, 0, 100, 100, 0, 0, 0);
    XMapRaised(other, window);
    XSync(other, False);
    XWindowAttributes attributes{};
    ASSERT_TRUE(processUntil([&] {
        return XGetWindowAttributes(other, window, &attributes) && attributes.map_state == IsViewable;
    }));
    XSetInputFocus(other, window, RevertToParent, CurrentTime);
    XSync(other, False);

    EXPECT_TRUE(processUntil([] { return visiblePanel() == nullptr; })) << "the form stayed open";
    EXPECT_TRUE(std::filesystem::is_empty(folder.path)) << "closing the form created a file";
    XCloseDisplay(other);
}

TEST_F(NewFileWindowDisplay, PresetListOpensBelowItsButtonAndFillsTheExtension) {
    openForm();
    QToolButton* presets = nullptr;
    for (QToolButton* button : visiblePanel()->findChildren<QToolButton*>())
        if (button->isVisible())
            presets = button;
    ASSERT_NE(presets, nullptr);
    presets->click();
    QListWidget* list = nullptr;
    ASSERT_TRUE(processUntil([&] {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* shown = qobject_cast<QListWidget*>(window); shown && shown->isVisible())
                list = shown;
        return list != nullptr;
    }));
    EXPECT_GE(list->geometry().top(), presets->mapToGlobal(QPoint(0, presets->height())).y());
    EXPECT_LE(list->geometry().bottom(), list->screen()->availableGeometry().bottom());

    QListWidgetItem* ini = list->findItems(QStringLiteral(".ini"), Qt::MatchExactly).value(0);
    ASSERT_NE(ini, nullptr);
    emit list->itemClicked(ini);
    ASSERT_TRUE(processUntil([&] { return !list->isVisible(); }));
    ASSERT_NE(visiblePanel(), nullptr) << "choosing a preset closed the form";
    QStringList texts;
    for (QLineEdit* field : visiblePanel()->findChildren<QLineEdit*>())
        texts << field->text();
    EXPECT_TRUE(texts.contains(QStringLiteral("ini"))) << texts.join(QLatin1Char(',')).toStdString();
}
