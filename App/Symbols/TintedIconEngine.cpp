#include "App/Symbols/TintedIconEngine.h"

#include <QPainter>

namespace ondravell {

namespace {
constexpr qreal disabledOpacity = 0.4;
} // namespace

TintedIconEngine::TintedIconEngine(QIcon source, QColor tint, QString name, QColor halo)
    : source_(std::move(source)), tint_(tint), name_(std::move(name)), halo_(halo) {}

QPixmap TintedIconEngine::tinted(const QPixmap& source, const QColor& tint, QIcon::Mode mode) {
    QPixmap result = source;
    if (result.isNull())
        return result;
    QPainter p(&result);
    p.setCompositionMode(QPainter::CompositionMode_SourceIn);
    QColor colour = tint;
    if (mode == QIcon::Disabled)
        colour.setAlphaF(colour.alphaF() * disabledOpacity);
    p.fillRect(QRect(QPoint(0, 0), result.size()), colour);
    return result;
}

void TintedIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) {
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    painter->drawPixmap(rect, scaledPixmap(rect.size(), mode, state, ratio));
}

QPixmap TintedIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) {
    return scaledPixmap(size, mode, state, 1.0);
}

QPixmap TintedIconEngine::scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) {
    // Selected and active pictures are the same shape in the same colour; only disabled ones fade.
    QPixmap source = source_.pixmap(size, scale, QIcon::Normal, state);
    QPixmap shape = tinted(source, tint_, mode);
    if (!halo_.isValid() || shape.isNull())
        return shape;
    // The shape in the halo colour, shifted a pixel each way, under the shape itself.
    QPixmap result(shape.size());
    result.setDevicePixelRatio(shape.devicePixelRatio());
    result.fill(Qt::transparent);
    QPainter p(&result);
    const QPixmap outline = tinted(source, halo_, mode);
    const qreal step = 1.0 / shape.devicePixelRatio();
    for (QPointF offset : {QPointF(-step, 0), QPointF(step, 0), QPointF(0, -step), QPointF(0, step)})
        p.drawPixmap(offset, outline);
    p.drawPixmap(QPointF(0, 0), shape);
    return result;
}

QSize TintedIconEngine::actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) {
    return source_.actualSize(size, mode, state);
}

QIconEngine* TintedIconEngine::clone() const {
    return new TintedIconEngine(source_, tint_, name_, halo_);
}

QString TintedIconEngine::key() const {
    return QStringLiteral("ondravell-tinted");
}

QString TintedIconEngine::iconName() {
    return name_;
}

bool TintedIconEngine::isNull() {
    return source_.isNull();
}

} // namespace ondravell
