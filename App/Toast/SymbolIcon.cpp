#include "App/Toast/SymbolIcon.h"

#include <QPainter>
#include <QPainterPath>

namespace ondravell {

namespace {

void drawCheckmarkCircle(QPainter& p, qreal s, const QColor& tint) {
    p.setPen(Qt::NoPen);
    p.setBrush(tint);
    p.drawEllipse(QRectF(0.5, 0.5, s - 1, s - 1));
    QPainterPath check;
    check.moveTo(s * 0.28, s * 0.52);
    check.lineTo(s * 0.44, s * 0.68);
    check.lineTo(s * 0.73, s * 0.36);
    p.setPen(QPen(Qt::white, s * 0.11, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(check);
}

void drawWarningTriangle(QPainter& p, qreal s, const QColor& tint) {
    QPainterPath triangle;
    triangle.moveTo(s * 0.5, s * 0.06);
    triangle.lineTo(s * 0.97, s * 0.92);
    triangle.lineTo(s * 0.03, s * 0.92);
    triangle.closeSubpath();
    p.setPen(QPen(tint, s * 0.06, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(tint);
    p.drawPath(triangle);
    p.setPen(QPen(Qt::white, s * 0.1, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(s * 0.5, s * 0.34), QPointF(s * 0.5, s * 0.6));
    p.drawPoint(QPointF(s * 0.5, s * 0.76));
}

void drawLock(QPainter& p, qreal s, const QColor& tint) {
    p.setPen(QPen(tint, s * 0.1));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(s * 0.28, s * 0.08, s * 0.44, s * 0.5), 0, 180 * 16);
    p.drawLine(QPointF(s * 0.28, s * 0.33), QPointF(s * 0.28, s * 0.45));
    p.drawLine(QPointF(s * 0.72, s * 0.33), QPointF(s * 0.72, s * 0.45));
    p.setPen(Qt::NoPen);
    p.setBrush(tint);
    p.drawRoundedRect(QRectF(s * 0.16, s * 0.44, s * 0.68, s * 0.5), s * 0.1, s * 0.1);
}

void drawCrossCircle(QPainter& p, qreal s, const QColor& tint) {
    p.setPen(Qt::NoPen);
    p.setBrush(tint);
    p.drawEllipse(QRectF(0.5, 0.5, s - 1, s - 1));
    p.setPen(QPen(Qt::white, s * 0.11, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(s * 0.34, s * 0.34), QPointF(s * 0.66, s * 0.66));
    p.drawLine(QPointF(s * 0.66, s * 0.34), QPointF(s * 0.34, s * 0.66));
}

} // namespace

QPixmap SymbolIcon::pixmap(const QString& symbol, int size, const QColor& tint, qreal devicePixelRatio) {
    QPixmap image(QSize(size, size) * devicePixelRatio);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    if (symbol.startsWith(QLatin1String("checkmark")))
        drawCheckmarkCircle(p, s, tint);
    else if (symbol.startsWith(QLatin1String("exclamationmark")))
        drawWarningTriangle(p, s, tint);
    else if (symbol.startsWith(QLatin1String("lock")))
        drawLock(p, s, tint);
    else if (symbol.startsWith(QLatin1String("xmark")))
        drawCrossCircle(p, s, tint);
    else {
        p.setPen(Qt::NoPen);
        p.setBrush(tint);
        p.drawEllipse(QRectF(s * 0.15, s * 0.15, s * 0.7, s * 0.7));
    }
    return image;
}

} // namespace ondravell
