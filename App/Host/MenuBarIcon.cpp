#include "App/Host/MenuBarIcon.h"

#include "App/Symbols/SymbolImage.h"

#include <QGuiApplication>
#include <QPalette>

namespace ondravell {

QIcon MenuBarIcon::make() {
    // Trays that draw the pixels get no word of the panel's colours: the outline in the window colour
    // keeps the symbol visible on a dark panel under a light desktop theme, and the other way round.
    const QPalette palette = QGuiApplication::palette();
    return SymbolImage::applicationIcon(palette.color(QPalette::WindowText), palette.color(QPalette::Window));
}

} // namespace ondravell
