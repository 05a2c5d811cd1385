#include "App/Selection/SelectionGlyphView.h"

#include "App/Selection/BroomShape.h"
#include "App/Selection/SelectionGlyph.h"
#include "App/Symbols/SymbolImage.h"

#include <QEvent>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <vector>

namespace ondravell {

namespace {

enum class Design { standard, rounded, monospaced };

// Sizes are in device-independent pixels, which is what the design's points are on screen.
QFont fontOf(double pixels, QFont::Weight weight, Design design) {
    QFont font = design == Design::monospaced ? QFontDatabase::systemFont(QFontDatabase::FixedFont)
                                              : QGuiApplication::font();
    if (design == Design::rounded) // no rounded system face on the desktop: the sans face stands in
        font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pixels * 72.0 / 96.0);
    font.setWeight(weight);
    return font;
}

// One part of a glyph, laid out in a row.
struct Piece {
    enum class Kind { text, broom, symbol };
    Kind kind = Kind::text;
    QString text;
    QFont font;
    QSizeF size;
    double dy = 0; // moved down (positive) or up after layout, without changing it
};

Piece textPiece(const QString& text, const QFont& font, double dy = 0) {
    QFontMetricsF metrics(font);
    return {Piece::Kind::text, text, font, QSizeF(metrics.horizontalAdvance(text), metrics.height()), dy};
}

struct Layout {
    std::vector<Piece> pieces;
    double spacing = 0;
    bool alignTops = false;
};

Layout layoutOf(const SelectionAction& action, double b) {
    using D = SelectionGlyph::Drawing;
    switch (SelectionGlyph::drawingFor(action)) {
    case D::wordCount: {
        QFont font = fontOf(0.72 * b, QFont::Bold, Design::rounded);
        font.setLetterSpacing(QFont::AbsoluteSpacing, -0.3);
        return {{textPiece(QStringLiteral("SIZE"), font)}, 0, false};
    }
    case D::json: {
        QFont brace = fontOf(b, QFont::DemiBold, Design::monospaced);
        return {{textPiece(QStringLiteral("{"), brace),
                 textPiece(QStringLiteral("JSON"), fontOf(0.68 * b, QFont::Bold, Design::monospaced)),
                 textPiece(QStringLiteral("}"), brace)},
                0.5,
                false};
    }
    case D::cleanText:
        return {{textPiece(QStringLiteral("字"), fontOf(0.78 * b, QFont::DemiBold, Design::standard)),
                 Piece{Piece::Kind::broom, {}, {}, QSizeF(0.95 * b, 1.05 * b), 0.06 * b}},
                -0.34 * b,
                false};
    case D::askAI:
        return {{textPiece(QStringLiteral("Ask"), fontOf(0.8 * b, QFont::DemiBold, Design::rounded)),
                 textPiece(QStringLiteral("AI"), fontOf(0.52 * b, QFont::Bold, Design::rounded), -0.16 * b)},
                0.5,
                true};
    case D::text:
        return {{textPiece(QString::fromStdString(*action.glyphText),
                           fontOf(b, QFont::DemiBold, Design::monospaced))},
                0,
                false};
    case D::symbol:
        break;
    }
    return {{Piece{Piece::Kind::symbol, QString::fromStdString(action.systemImage), {}, QSizeF(b, b), 0}},
            0,
            false};
}

QSizeF sizeOf(const Layout& layout) {
    double width = 0, height = 0;
    for (std::size_t i = 0; i < layout.pieces.size(); ++i) {
        width += layout.pieces[i].size.width() + (i > 0 ? layout.spacing : 0);
        height = std::max(height, layout.pieces[i].size.height());
    }
    return {std::max(width, 0.0), height};
}

void paintBroom(QPainter& painter, const QRectF& frame, double baseSize, const QColor& colour) {
    QPainterPath path;
    for (const auto& segment : BroomShape::segments()) {
        path.moveTo(frame.left() + segment.x1 * frame.width(), frame.top() + segment.y1 * frame.height());
        path.lineTo(frame.left() + segment.x2 * frame.width(), frame.top() + segment.y2 * frame.height());
    }
    QPen pen(colour, BroomShape::lineWidth(baseSize), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.strokePath(path, pen);
}

} // namespace

SelectionGlyphView::SelectionGlyphView(SelectionAction action, double baseSize, QWidget* parent)
    : QWidget(parent), action_(std::move(action)), baseSize_(baseSize) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void SelectionGlyphView::setBaseSize(double baseSize) {
    baseSize_ = baseSize;
    size_.reset();
    updateGeometry();
    update();
}

QSize SelectionGlyphView::sizeHint() const {
    return measured().toSize() + QSize(1, 1);
}

QSizeF SelectionGlyphView::measured() const {
    if (!size_)
        size_ = glyphSize(action_, baseSize_);
    return *size_;
}

QSizeF SelectionGlyphView::glyphSize(const SelectionAction& action, double baseSize) {
    return sizeOf(layoutOf(action, baseSize));
}

void SelectionGlyphView::paintGlyph(QPainter& painter, QPointF origin, const SelectionAction& action,
                                    double baseSize, const QColor& colour) {
    const Layout layout = layoutOf(action, baseSize);
    const QSizeF total = sizeOf(layout);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(colour);
    double x = origin.x();
    for (const Piece& piece : layout.pieces) {
        double top =
            origin.y() + (layout.alignTops ? 0 : (total.height() - piece.size.height()) / 2) + piece.dy;
        QRectF frame(QPointF(x, top), piece.size);
        switch (piece.kind) {
        case Piece::Kind::text:
            painter.setFont(piece.font);
            painter.drawText(QPointF(x, top + QFontMetricsF(piece.font).ascent()), piece.text);
            break;
        case Piece::Kind::broom:
            paintBroom(painter, frame, baseSize, colour);
            break;
        case Piece::Kind::symbol: {
            const int side = std::max(1, int(std::lround(piece.size.width())));
            const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
            painter.drawPixmap(QRectF(frame.topLeft(), QSizeF(side, side)),
                               SymbolImage::pixmap(piece.text, side, colour, ratio), QRectF());
            break;
        }
        }
        x += piece.size.width() + layout.spacing;
    }
    painter.restore();
}

void SelectionGlyphView::changeEvent(QEvent* event) {
    // The glyph's fonts follow the application's font.
    if (event->type() == QEvent::ApplicationFontChange || event->type() == QEvent::FontChange) {
        size_.reset();
        updateGeometry();
    }
    QWidget::changeEvent(event);
}

void SelectionGlyphView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QSizeF glyph = measured();
    const QPointF origin((width() - glyph.width()) / 2, (height() - glyph.height()) / 2);
    paintGlyph(painter, origin, action_, baseSize_, palette().color(foregroundRole()));
}

} // namespace ondravell
