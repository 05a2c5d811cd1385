#include "App/MainWindow/Widgets/Badge.h"

#include <QPainter>

namespace ondravell {

namespace {
constexpr int horizontalPadding = 6;
constexpr int verticalPadding = 1;
constexpr double fontScale = 0.8;
} // namespace

Badge::Badge(const QString& text, const QColor& color, double fillOpacity, QWidget* parent)
    : QLabel(text, parent), color_(color), fillOpacity_(fillOpacity) {
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * fontScale);
    setFont(small);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    // A group's name is the user's text, never markup.
    setTextFormat(Qt::PlainText);
}

QSize Badge::sizeHint() const {
    return {fontMetrics().horizontalAdvance(text()) + 2 * horizontalPadding,
            fontMetrics().height() + 2 * verticalPadding};
}

void Badge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor fill = color_;
    fill.setAlphaF(static_cast<float>(fillOpacity_));
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    qreal radius = height() / 2.0;
    painter.drawRoundedRect(QRectF(rect()), radius, radius);
    painter.setPen(color_);
    painter.drawText(rect(), Qt::AlignCenter, text());
}

} // namespace ondravell
