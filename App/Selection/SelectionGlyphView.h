#pragma once

#include "core/Models/SelectionAction.h"

#include <QWidget>
#include <optional>

namespace ondravell {

// The picture of one toolbar action at a base size: a symbol, a short monospaced text, or one of the
// four glyphs made of text and strokes ("SIZE", "{JSON}", "字" with a broom, "Ask" with a raised
// "AI"). Every measure is a fraction of the base size; it is drawn in the foreground colour.
class SelectionGlyphView final : public QWidget {
public:
    SelectionGlyphView(SelectionAction action, double baseSize, QWidget* parent = nullptr);

    void setBaseSize(double baseSize);
    QSize sizeHint() const override;

    // The glyph's size, and the glyph drawn with its top-left corner at `origin`, for views that draw
    // it among other content.
    static QSizeF glyphSize(const SelectionAction& action, double baseSize);
    static void paintGlyph(QPainter& painter, QPointF origin, const SelectionAction& action, double baseSize,
                           const QColor& colour);

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QSizeF measured() const;

    SelectionAction action_;
    double baseSize_;
    // The glyph's measured size: layouts ask for it many times, and measuring builds its fonts.
    mutable std::optional<QSizeF> size_;
};

} // namespace ondravell
