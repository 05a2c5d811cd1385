#pragma once

#include <QColor>
#include <QIcon>
#include <string_view>

namespace ondravell {

// The icon of a symbol name from the settings and tables ("gearshape", "folder", ...), through the
// application's one symbol table; a null icon for a symbol it does not know.
QIcon symbolIcon(std::string_view symbol);
// The same symbol drawn in one colour, as a symbol beside text takes the text's colour.
QIcon symbolIcon(std::string_view symbol, const QColor& tint);

} // namespace ondravell
