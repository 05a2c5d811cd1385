#pragma once

#include <QGuiApplication>

// One application on Qt's offscreen platform for the whole test program, so that fonts, pictures and
// text layout work without a display.
inline void ensureOffscreenApplication() {
    static int argc = 1;
    static char name[] = "ondravell-test";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QGuiApplication(argc, argv);
    }
}
