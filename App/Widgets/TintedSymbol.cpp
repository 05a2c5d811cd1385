#include "App/Widgets/TintedSymbol.h"

#include "App/Toast/SymbolIcon.h"
#include "platform/SymbolIconNames.h"

#include <QIcon>
#include <QPainter>

namespace ondravell {

QPixmap TintedSymbol::pixmap(std::string_view symbol, const QColor& tint, int size, qreal devicePixelRatio) {
    QString name = QString::fromUtf8(symbol.data(), qsizetype(symbol.size()));
    std::string_view iconName = platform::iconNameForSymbol(symbol);
    QIcon icon = iconName.empty()
                     ? QIcon()
                     : QIcon::fromTheme(QString::fromUtf8(iconName.data(), qsizetype(iconName.size())));
    if (icon.isNull())
        return SymbolIcon::pixmap(name, size, tint, devicePixelRatio);
    QPixmap image = icon.pixmap(QSize(size, size), devicePixelRatio);
    // Keep the icon's shape and give it the tint.
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(image.rect(), tint);
    return image;
}

} // namespace ondravell
