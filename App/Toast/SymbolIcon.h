#pragma once

#include <QColor>
#include <QPixmap>
#include <QString>

namespace ondravell {

// Draws the few symbols the application's messages name ("checkmark.circle.fill",
// "exclamationmark.triangle.fill", "lock.badge.clock", ...) as vector shapes, so they look the same on
// every desktop whatever its icon theme. An unknown name draws a plain filled circle.
struct SymbolIcon {
    // A square image `size` device-independent pixels wide, for a screen of the given pixel ratio.
    static QPixmap pixmap(const QString& symbol, int size, const QColor& tint, qreal devicePixelRatio);
};

} // namespace ondravell
