#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace ondravell {

// Pictures for the symbol names kept in settings, messages and tables ("doc.on.doc",
// "folder.badge.plus", "checkmark.circle.fill", ...): the icon theme's symbolic icon where the theme has
// one, else the picture bundled with the application. Every window of the application draws symbols
// through here.
struct SymbolImage {
    // The symbol's picture in its own colours; a null icon for a name the application does not know.
    static QIcon icon(const QString& symbol);
    // The symbol drawn in one colour at any size, as symbolic pictures are drawn beside text.
    static QIcon icon(const QString& symbol, const QColor& tint);
    // A square picture `size` device-independent pixels wide for a screen of the given pixel ratio;
    // a transparent one for an unknown name.
    static QPixmap pixmap(const QString& symbol, int size, const QColor& tint, qreal devicePixelRatio);
    // The picture bundled for the symbol, whatever the icon theme holds; null for an unknown name.
    static QIcon bundledIcon(const QString& symbol);
    // The application's own symbol, drawn in `tint` (outlined in `halo` when valid) and named for hosts
    // that load icons by name.
    static QIcon applicationIcon(const QColor& tint, const QColor& halo = QColor());
};

} // namespace ondravell
