#include "App/Selection/SelectionBarController.h"

#include "App/Selection/BarButton.h"
#include "App/Selection/SelectionBarPlacement.h"
#include "App/Selection/SelectionBarView.h"
#include "core/SharedConfig/OndravellSettings.h"
#include "platform/memory/MemoryGlobalMouseMonitors.h"

#include <QApplication>
#include <QEnterEvent>
#include <QScreen>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

using namespace ondravell;
using Kind = platform::GlobalMouseMonitors::Kind;

namespace {

class SelectionBarControllerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "SelectionBarControllerTest";
        static char* argv[] = {name, nullptr};
        app_ = new QApplication(argc, argv);
    }
    SelectionBarControllerTest() {
        settings.selectionActionIDs = {"copyText", "translate", "calculate"};
        SelectionBarController::Services services;
        services.monitors = &monitors;
        services.loadSettings = [this] { return settings; };
        controller = std::make_unique<SelectionBarController>(std::move(services));
    }
    static void settle() { QCoreApplication::processEvents(); }

    static inline QApplication* app_ = nullptr;
    platform::MemoryGlobalMouseMonitors monitors;
    OndravellSettings settings;
    std::unique_ptr<SelectionBarController> controller;
};

} // namespace

TEST_F(SelectionBarControllerTest, ShowsAPlacedNonActivatingBarAndHidesOnAPressElsewhere) {
    controller->show("hello", QPointF(600, 400));
    settle();
    ASSERT_TRUE(controller->isVisible());
    QWidget* panel = controller->panel();
    EXPECT_TRUE(panel->windowFlags() & Qt::WindowDoesNotAcceptFocus);
    EXPECT_TRUE(panel->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_EQ(controller->view()->buttons().size(), 2u); // no calculation in the text
    EXPECT_EQ(controller->view()->dividerCount(), 1);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const auto expected = SelectionBarPlacement::origin(
        {600, 400}, panel->width(), panel->height(),
        {{{0, 0, double(screen.width()), double(screen.height())},
          {double(screen.x()), double(screen.y()), double(screen.width()), double(screen.height())}}},
        0);
    EXPECT_EQ(panel->pos(), QPoint(qRound(expected.x), qRound(expected.y)));
    EXPECT_EQ(monitors.installedCount(), 2u);

    // A second selection reuses the panel, moved and refilled.
    controller->show("1+2", QPointF(600, 10));
    settle();
    EXPECT_EQ(controller->panel(), panel);
    EXPECT_EQ(controller->view()->buttons().size(), 3u);
    EXPECT_GT(panel->y(), 10);
    EXPECT_EQ(monitors.installedCount(), 2u);

    for (Kind kind : {Kind::leftMouseDown, Kind::rightMouseDown}) {
        controller->show("hello", QPointF(600, 400));
        monitors.fire(kind, {});
        settle();
        EXPECT_FALSE(controller->isVisible());
        EXPECT_EQ(monitors.installedCount(), 0u);
    }
}

TEST_F(SelectionBarControllerTest, NoApplicableActionHidesInsteadOfShowingAnEmptyBar) {
    settings.selectionActionIDs = {"calculate", "colorPreview"};
    controller->show("hello", QPointF(600, 400));
    EXPECT_FALSE(controller->isVisible());
    EXPECT_EQ(monitors.installedCount(), 0u);
}

TEST_F(SelectionBarControllerTest, ATapGoesToTheHandlerOrHidesTheBar) {
    controller->show("hello", QPointF(300, 300));
    settle();
    controller->view()->buttons()[1]->click();
    EXPECT_FALSE(controller->isVisible()) << "without a handler a tap hides the bar";

    std::vector<std::tuple<std::string, std::string, QPointF>> runs;
    controller->setActionHandler([&runs](const std::string& id, const std::string& text, QPointF at) {
        runs.emplace_back(id, text, at);
    });
    controller->show("hello", QPointF(300, 300));
    settle();
    controller->view()->buttons()[1]->click();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0], std::make_tuple(std::string("translate"), std::string("hello"), QPointF(300, 300)));
}

TEST_F(SelectionBarControllerTest, ButtonsCarryTheirTitleInEveryStyleAndHighlightUnderThePointer) {
    for (const char* style : {"icon", "text", "iconText"}) {
        settings.selectionBarStyle = style;
        controller->show("hello", QPointF(300, 300));
        settle();
        BarButton* copy = controller->view()->buttons()[0];
        EXPECT_EQ(copy->toolTip(), QStringLiteral("复制")) << style;
        EXPECT_EQ(copy->accessibleName(), QStringLiteral("复制")) << style;
    }
    BarButton* button = controller->view()->buttons()[0];
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(button, &enter);
    EXPECT_TRUE(button->hovering());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);
    EXPECT_FALSE(button->hovering());
}

// Run on Qt's offscreen platform with two screens side by side (see the test's registration).
TEST_F(SelectionBarControllerTest, KeepsToTheScreenOfThePointOnTwoScreens) {
    if (QGuiApplication::screens().size() < 2)
        GTEST_SKIP() << "needs two screens";
    struct Case {
        QPointF at;
        std::function<QPoint(QSize)> expected;
    };
    const Case cases[] = {
        {{1275, 400}, [](QSize s) { return QPoint(1280 - s.width() - 6, 400 - 18 - s.height()); }},
        {{1285, 400}, [](QSize s) { return QPoint(1286, 400 - 18 - s.height()); }},
        {{2300, 10}, [](QSize s) { return QPoint(2304 - s.width() - 6, 28); }},
    };
    for (const Case& c : cases) {
        controller->show("hello", c.at);
        settle();
        EXPECT_EQ(controller->panel()->pos(), c.expected(controller->panel()->size())) << c.at.x();
    }
}
