#pragma once

#include <QString>
#include <QStringList>

namespace ondravell {

// Qt draws its widgets in its own Fusion style wherever the desktop says nothing else. On GNOME the
// windows follow the desktop instead: the Adwaita style (light or dark, as the palette the desktop's
// platform theme gave), when it is installed and the user chose no style of their own.
struct DesktopStyle {
    // The style to use: empty to keep Qt's choice. `desktops` is XDG_CURRENT_DESKTOP, `override` is
    // QT_STYLE_OVERRIDE, `installed` the styles Qt can make.
    static QString chosen(const QString& desktops, const QString& override, const QStringList& installed,
                          bool darkPalette);
    // Applies the choice to the running application.
    static void follow();
};

} // namespace ondravell
