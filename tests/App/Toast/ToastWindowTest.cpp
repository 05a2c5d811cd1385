#include "App/Toast/ToastWindow.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>
#include <gtest/gtest.h>

using namespace ondravell;

// Run on Qt's offscreen platform with two screens side by side (see the test's registration).
TEST(ToastWindowOnTwoScreens, ProgressStepsStayOnTheScreenTheDisplayAppearedOn) {
    static int argc = 1;
    static char name[] = "ToastWindowTest";
    static char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    if (QGuiApplication::screens().size() < 2)
        GTEST_SKIP() << "needs two screens";
    ToastWindow window(false);
    const QPoint left(400, 400), right(1500, 400);
    struct Step {
        QPoint pointer;
        ToastContent content;
        bool onLeft;
    };
    const Step steps[] = {
        {left, ToastContent::progress("正在复制…", 1, 10), true},
        {right, ToastContent::progress("正在复制…", 2, 10), true}, // the pointer moved: the display stays
        {right, ToastContent::toast("已复制 2 个文件到目标", "doc.on.doc"), false},
        {left, ToastContent::progress("正在复制…", 3, 10), true}, // a new display follows the pointer
    };
    for (const Step& step : steps) {
        QCursor::setPos(step.pointer);
        window.setContent(step.content);
        window.showOpaque();
        EXPECT_EQ(window.geometry().center().x() < 1280, step.onLeft) << window.x();
    }
}
