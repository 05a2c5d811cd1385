#include "App/Host/MenuBarIcon.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QPixmap>

namespace ondravell {

namespace {

QPixmap drawn(int size, const QColor& ink) {
    QPixmap image(size, size);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    p.setPen(QPen(ink, s * 0.12));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(s * 0.14, s * 0.14, s * 0.72, s * 0.72));
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawEllipse(QRectF(s * 0.39, s * 0.39, s * 0.22, s * 0.22));
    return image;
}

} // namespace

QIcon MenuBarIcon::make() {
    QColor ink = QGuiApplication::palette().color(QPalette::WindowText);
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64})
        icon.addPixmap(drawn(size, ink));
    return icon;
}

} // namespace ondravell
