#include "App/Host/DevicePixels.h"

#include <QGuiApplication>
#include <QScreen>

namespace ondravell {

qreal DevicePixels::ratio() {
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->devicePixelRatio() : 1.0;
}

} // namespace ondravell
