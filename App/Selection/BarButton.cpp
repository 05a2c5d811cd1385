#include "App/Selection/BarButton.h"

#include "App/Selection/SelectionGlyph.h"
#include "App/Selection/SelectionGlyphView.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace ondravell {

namespace {
constexpr double horizontalPadding = 7;
constexpr double verticalPadding = 5;
constexpr double labelSpacing = 3;
constexpr double highlightRadius = 6;
constexpr double titleSize = 11.5;
constexpr double highlightOpacity = 0.1;
} // namespace

BarButton::BarButton(SelectionAction action, SelectionBarStyle style, std::function<void()> onTap,
                     QWidget* parent)
    : QAbstractButton(parent),
      action_(std::move(action)),
      style_(style),
      showsGlyph_(SelectionGlyph::buttonShowsGlyph(style)),
      showsTitle_(SelectionGlyph::buttonShowsTitle(action_, style)),
      title_(QString::fromStdString(action_.localizedTitle())),
      titleFont_(font()) {
    titleFont_.setPointSizeF(titleSize * 72.0 / 96.0);
    setToolTip(title_);
    setAccessibleName(title_);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
    connect(this, &QAbstractButton::clicked, this, [onTap = std::move(onTap)] {
        if (onTap)
            onTap();
    });
}

double BarButton::glyphBaseSize() const {
    return style_ == SelectionBarStyle::icon ? SelectionGlyph::barIconSize : SelectionGlyph::barIconTextSize;
}

QSizeF BarButton::contentSize() const {
    double width = 0, height = 0;
    if (showsGlyph_) {
        QSizeF glyph = SelectionGlyphView::glyphSize(action_, glyphBaseSize());
        width += glyph.width();
        height = glyph.height();
    }
    if (showsTitle_) {
        QFontMetricsF metrics(titleFont_);
        width += (showsGlyph_ ? labelSpacing : 0) + metrics.horizontalAdvance(title_);
        height = std::max(height, metrics.height());
    }
    return {width, height};
}

QSize BarButton::sizeHint() const {
    QSizeF content = contentSize();
    return QSize(int(std::ceil(content.width() + 2 * horizontalPadding)),
                 int(std::ceil(content.height() + 2 * verticalPadding)));
}

void BarButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor foreground = palette().color(QPalette::WindowText);
    if (hovering_) {
        QColor fill = foreground;
        fill.setAlphaF(highlightOpacity);
        QPainterPath outline;
        outline.addRoundedRect(QRectF(rect()), highlightRadius, highlightRadius);
        painter.fillPath(outline, fill);
    }
    const QSizeF content = contentSize();
    double x = (width() - content.width()) / 2;
    if (showsGlyph_) {
        QSizeF glyph = SelectionGlyphView::glyphSize(action_, glyphBaseSize());
        SelectionGlyphView::paintGlyph(painter, QPointF(x, (height() - glyph.height()) / 2), action_,
                                       glyphBaseSize(), foreground);
        x += glyph.width() + labelSpacing;
    }
    if (showsTitle_) {
        QFontMetricsF metrics(titleFont_);
        painter.setFont(titleFont_);
        painter.setPen(foreground);
        painter.drawText(QPointF(x, (height() - metrics.height()) / 2 + metrics.ascent()), title_);
    }
}

void BarButton::enterEvent(QEnterEvent* event) {
    hovering_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void BarButton::leaveEvent(QEvent* event) {
    hovering_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

} // namespace ondravell
