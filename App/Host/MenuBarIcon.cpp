#include "App/Host/MenuBarIcon.h"

#include "App/Symbols/SymbolImage.h"

#include <QGuiApplication>
#include <QPalette>

namespace ondravell {

QIcon MenuBarIcon::make() {
    return SymbolImage::applicationIcon(QGuiApplication::palette().color(QPalette::WindowText));
}

} // namespace ondravell
