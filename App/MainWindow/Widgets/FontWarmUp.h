#pragma once

#include <QFont>
#include <initializer_list>

class QPainter;

namespace ondravell {

// `font` at `scale` times its point size, as captions and footers beneath rows are set.
QFont scaledFont(const QFont& font, double scale);

// Finds, for each font, the faces that draw Latin and Chinese text and the glyphs of a sample, into
// `painter`. Qt looks a face up through fontconfig the first time a font of that family, size and
// weight meets a script; done at idle, a window shown later finds its faces ready.
void warmUpFonts(QPainter& painter, std::initializer_list<QFont> fonts);

} // namespace ondravell
