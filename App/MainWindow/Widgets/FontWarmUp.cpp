#include "App/MainWindow/Widgets/FontWarmUp.h"

#include <QFontMetricsF>
#include <QPainter>

namespace ondravell {

QFont scaledFont(const QFont& font, double scale) {
    QFont scaled = font;
    scaled.setPointSizeF(font.pointSizeF() * scale);
    return scaled;
}

void warmUpFonts(QPainter& painter, std::initializer_list<QFont> fonts) {
    // Han, Latin, digits and the full-width and ASCII punctuation the settings pages are written in.
    const QString sample =
        QStringLiteral("浮条动作（拖拽排序）「选中即弹出」，问 AI：Ask 0123 {JSON} https://…?q=");
    for (const QFont& font : fonts) {
        painter.setFont(font);
        painter.drawText(QPointF(0, QFontMetricsF(font).ascent()), sample);
    }
}

} // namespace ondravell
