#include "App/MainWindow/Widgets/ElidedLabel.h"

#include <QPainter>

namespace ondravell {

ElidedLabel::ElidedLabel(const QString& text, QWidget* parent) : QFrame(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    setText(text);
}

void ElidedLabel::setText(const QString& text) {
    text_ = text;
    updateGeometry();
    updateToolTip();
    update();
}

void ElidedLabel::setElideMode(Qt::TextElideMode mode) {
    mode_ = mode;
    updateToolTip();
    update();
}

QSize ElidedLabel::sizeHint() const {
    return {fontMetrics().horizontalAdvance(text_), fontMetrics().height()};
}

QSize ElidedLabel::minimumSizeHint() const {
    return {fontMetrics().horizontalAdvance(QStringLiteral("…")) * 3, fontMetrics().height()};
}

void ElidedLabel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    QRect area = contentsRect();
    painter.drawText(area, Qt::AlignVCenter | Qt::AlignLeading,
                     fontMetrics().elidedText(text_, mode_, area.width()));
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    updateToolTip();
}

void ElidedLabel::updateToolTip() {
    bool elided = fontMetrics().horizontalAdvance(text_) > contentsRect().width();
    setToolTip(elided ? text_ : QString());
}

} // namespace ondravell
