#pragma once

#include "App/MainWindow/SettingsNavigation.h"
#include "App/MainWindow/SettingsWindow.h"
#include "App/MainWindow/Widgets/SymbolIcons.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <chrono>
#include <cstdio>

namespace ondravell::bench {

inline double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Shows the settings window at its preferred size and waits until it is drawn; false when it never is.
inline bool showSettingsWindow(SettingsWindow& window) {
    window.applyPreferredSize(true);
    window.show();
    return QTest::qWaitForWindowExposed(&window);
}

// Picks a page of a shown settings window and waits for it to be drawn; the seconds it took.
inline double secondsToSwitch(SettingsNavigation& navigation, SettingsWindow& window,
                              SettingsNavigation::Section section) {
    auto start = std::chrono::steady_clock::now();
    navigation.setSelection(section);
    window.repaint();
    QApplication::processEvents();
    return secondsSince(start);
}

// The tray's icon and menu have been drawn before anyone opens the settings: a small window of Chinese
// text with a symbol stands in for them. Prints its time, which shows what the process's first drawing
// costs anyway.
inline void printFirstWindowOfProcess() {
    auto start = std::chrono::steady_clock::now();
    QLabel menu(QStringLiteral("设置… 操作历史 退出"));
    menu.setWindowIcon(symbolIcon("folder")); // the tray icon, drawn from the same symbol pictures
    menu.windowIcon().pixmap(16, 16);
    menu.show();
    if (QTest::qWaitForWindowExposed(&menu))
        std::printf("first window of the process (a label): %.1f ms\n", secondsSince(start) * 1000);
}

} // namespace ondravell::bench
