#pragma once

#include <QColor>
#include <QString>
#include <string_view>

class QLabel;
class QWidget;

namespace ondravell {

// A text with a symbol in front of it, both in `tint` (the palette's text colour when invalid).
QWidget* makeSymbolLabel(std::string_view symbol, const QString& text, const QColor& tint = {});
// The same with a label of the caller's (a link, say).
QWidget* makeSymbolLabel(std::string_view symbol, QLabel* text, const QColor& tint = {});

} // namespace ondravell
