#include "App/MainWindow/Widgets/SymbolIcons.h"

#include "App/MainWindow/Widgets/QtText.h"
#include "App/Symbols/SymbolImage.h"

namespace ondravell {

QIcon symbolIcon(std::string_view symbol) {
    return SymbolImage::icon(toQString(symbol));
}

QIcon symbolIcon(std::string_view symbol, const QColor& tint) {
    return SymbolImage::icon(toQString(symbol), tint);
}

} // namespace ondravell
