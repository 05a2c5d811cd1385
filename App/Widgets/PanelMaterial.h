#pragma once

#include <QPainterPath>
#include <QRectF>

class QPainter;
class QPalette;

namespace ondravell {

// The background of the floating panels: the window colour in a rounded rectangle with a faint white
// edge along its inside; nearly opaque where other windows show through, since nothing blurs them.
struct PanelMaterial {
    static QPainterPath outline(const QRectF& rect, double cornerRadius);
    static void paint(QPainter& painter, const QRectF& rect, double cornerRadius, const QPalette& palette,
                      bool translucent);
};

} // namespace ondravell
