// The first toast of a process, as the tray application meets it after its start: the tray's icon is
// drawn, then a toast is shown. Prints how long the icon and the toast (from the call until its window
// is exposed) took, and the longest stall of the main thread from the start of the event loop until
// 500 ms after the toast came (the longest gap between the ticks of a 1 ms timer). Only a process's
// first toast counts, so each run gives one figure. Run under a display (Xvfb):
//   xvfb-run -a build/main/bench/App/FirstToastBench
// An icon-theme folder without a cache costs where the theme is looked up: to see it, put one in a
// folder of XDG_DATA_DIRS ("icons/hicolor") or in ~/.local/share/icons.
#include "App/Symbols/SymbolImage.h"
#include "App/Toast/ToastPresenter.h"
#include "bench/BenchContainer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cstdio>

using namespace ondravell;

namespace {

QWindow* shownToast() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && widget->windowHandle())
            return widget->windowHandle();
    return nullptr;
}

} // namespace

int main(int argc, char** argv) {
    bench::BenchContainer container;
    QApplication app(argc, argv);
    QElapsedTimer sinceTick;
    qint64 longestStall = 0;
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout,
                     [&] { longestStall = std::max(longestStall, sinceTick.restart()); });
    double iconMs = 0;
    double toastMs = -1;
    QTimer::singleShot(0, [&] {
        sinceTick.start();
        ticks.start(1);
        QElapsedTimer clock;
        clock.start();
        SymbolImage::applicationIcon(Qt::white).pixmap(22, 22);
        iconMs = double(clock.nsecsElapsed()) / 1e6;
        clock.restart();
        ToastPresenter::shared().show("已复制路径", "doc.on.doc");
        QWindow* toast = shownToast();
        if (toast && QTest::qWaitForWindowExposed(toast))
            toastMs = double(clock.nsecsElapsed()) / 1e6;
        QTimer::singleShot(500, &app, &QApplication::quit);
    });
    app.exec();
    std::printf("tray icon: %.1f ms; first toast on screen: %.1f ms; longest main-thread stall: %lld ms\n",
                iconMs, toastMs, static_cast<long long>(longestStall));
    return toastMs < 0 ? 1 : 0;
}
