#include "App/Host/DesktopStyle.h"

#include <QApplication>
#include <QPalette>
#include <QStyleFactory>

namespace ondravell {

QString DesktopStyle::chosen(const QString& desktops, const QString& override, const QStringList& installed,
                             bool darkPalette) {
    if (!override.isEmpty())
        return {};
    bool gnome = false;
    for (const QString& desktop : desktops.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        gnome = gnome || desktop.compare(QLatin1String("GNOME"), Qt::CaseInsensitive) == 0 ||
                desktop.compare(QLatin1String("GNOME-Classic"), Qt::CaseInsensitive) == 0;
    if (!gnome)
        return {};
    const QString wanted = darkPalette ? QStringLiteral("Adwaita-Dark") : QStringLiteral("Adwaita");
    for (const QString& style : installed)
        if (style.compare(wanted, Qt::CaseInsensitive) == 0)
            return style;
    return {};
}

void DesktopStyle::follow() {
    const bool dark = QApplication::palette().color(QPalette::Window).lightness() < 128;
    const QString style = chosen(qEnvironmentVariable("XDG_CURRENT_DESKTOP"),
                                 qEnvironmentVariable("QT_STYLE_OVERRIDE"), QStyleFactory::keys(), dark);
    if (style.isEmpty())
        return;
    QApplication::setStyle(style);
    // The style draws inactive windows in the desktop's faded backdrop colours. The toolbar, toasts
    // and panels never become active and would look disabled: inactive windows keep the active colours.
    QPalette palette = QApplication::palette();
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
        const auto colorRole = QPalette::ColorRole(role);
        palette.setBrush(QPalette::Inactive, colorRole, palette.brush(QPalette::Active, colorRole));
    }
    QApplication::setPalette(palette);
}

} // namespace ondravell
