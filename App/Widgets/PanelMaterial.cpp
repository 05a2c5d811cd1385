#include "App/Widgets/PanelMaterial.h"

#include <QPainter>
#include <QPalette>

namespace ondravell {

namespace {

constexpr double edgeOpacity = 0.12;
constexpr double edgeWidth = 0.5;
// Without the blur of a material, more of the windows below would let their text compete with ours.
constexpr double materialOpacity = 0.95;

} // namespace

QPainterPath PanelMaterial::outline(const QRectF& rect, double cornerRadius) {
    QPainterPath path;
    path.addRoundedRect(rect, cornerRadius, cornerRadius);
    return path;
}

void PanelMaterial::paint(QPainter& painter, const QRectF& rect, double cornerRadius, const QPalette& palette,
                          bool translucent) {
    painter.setRenderHint(QPainter::Antialiasing);
    QColor material = palette.color(QPalette::Window);
    material.setAlphaF(translucent ? materialOpacity : 1.0);
    painter.fillPath(outline(rect, cornerRadius), material);
    QColor edge = Qt::white;
    edge.setAlphaF(edgeOpacity);
    const double inset = edgeWidth / 2;
    painter.strokePath(outline(rect.adjusted(inset, inset, -inset, -inset), cornerRadius - inset),
                       QPen(edge, edgeWidth));
}

} // namespace ondravell
