#include "App/Widgets/TintedSymbol.h"

#include "App/Symbols/SymbolImage.h"

namespace ondravell {

QPixmap TintedSymbol::pixmap(std::string_view symbol, const QColor& tint, int size, qreal devicePixelRatio) {
    return SymbolImage::pixmap(QString::fromUtf8(symbol.data(), qsizetype(symbol.size())), size, tint,
                               devicePixelRatio);
}

} // namespace ondravell
