#pragma once

#include <QColor>
#include <QPixmap>
#include <string_view>

namespace ondravell {

// A symbol by its SF Symbols name, drawn as a one-colour silhouette in `tint`, the way the design shows
// symbols beside texts.
struct TintedSymbol {
    static QPixmap pixmap(std::string_view symbol, const QColor& tint, int size, qreal devicePixelRatio);
};

} // namespace ondravell
