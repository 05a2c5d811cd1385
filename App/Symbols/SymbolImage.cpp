#include "App/Symbols/SymbolImage.h"

#include "App/Symbols/TintedIconEngine.h"
#include "platform/SymbolIconNames.h"

#include <QPainter>
#include <QPixmapCache>

// The bundled pictures live in this static library; registering them by hand keeps the linker from
// dropping them.
static void registerBundledPictures() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(symbol_images);
        return true;
    }();
    (void)registered;
}

namespace ondravell {

namespace {

const QString symbolicSuffix = QStringLiteral("-symbolic");
const QString applicationIconName = QStringLiteral("ondravell-symbolic");

QString bundledPath(std::string_view image) {
    registerBundledPictures();
    return QStringLiteral(":/symbols/") + QString::fromUtf8(image.data(), qsizetype(image.size())) +
           QStringLiteral(".svg");
}

const platform::SymbolIconName* entryFor(const QString& symbol) {
    return platform::symbolIconName(symbol.toStdString());
}

QPixmap drawnPixmap(const QString& symbol, int size, const QColor& tint, qreal devicePixelRatio) {
    QIcon source = SymbolImage::icon(symbol);
    QPixmap image(QSize(size, size) * devicePixelRatio);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    if (source.isNull())
        return image;
    // Theme icons come in fixed sizes; centre whatever size the theme gives in the requested square.
    QPixmap drawn =
        TintedIconEngine::tinted(source.pixmap(QSize(size, size), devicePixelRatio), tint, QIcon::Normal);
    QPainter p(&image);
    const QSizeF drawnSize = drawn.deviceIndependentSize();
    p.drawPixmap(QPointF((size - drawnSize.width()) / 2, (size - drawnSize.height()) / 2), drawn);
    return image;
}

} // namespace

QIcon SymbolImage::bundledIcon(const QString& symbol) {
    const platform::SymbolIconName* entry = entryFor(symbol);
    return entry ? QIcon(bundledPath(entry->fallbackImage)) : QIcon();
}

QIcon SymbolImage::icon(const QString& symbol) {
    const platform::SymbolIconName* entry = entryFor(symbol);
    if (!entry)
        return QIcon();
    if (!entry->iconName.empty()) {
        // Only symbolic theme icons: they are one-colour shapes that take the tint, as the bundled
        // pictures do, where a full-colour icon would turn into a blot.
        QIcon themed = QIcon::fromTheme(
            QString::fromUtf8(entry->iconName.data(), qsizetype(entry->iconName.size())) + symbolicSuffix);
        if (!themed.isNull())
            return themed;
    }
    return QIcon(bundledPath(entry->fallbackImage));
}

QIcon SymbolImage::icon(const QString& symbol, const QColor& tint) {
    QIcon source = icon(symbol);
    if (source.isNull())
        return source;
    return QIcon(new TintedIconEngine(source, tint, QString()));
}

QPixmap SymbolImage::pixmap(const QString& symbol, int size, const QColor& tint, qreal devicePixelRatio) {
    // Views repaint the same few symbols often, and every lookup reads and parses the picture's file
    // again: the drawn pictures are kept in Qt's pixmap cache, under a key that also names the icon
    // theme, so a theme change draws them anew.
    const QString key = QStringLiteral("ondravell-symbol:%1:%2:%3:%4:%5")
                            .arg(symbol, QString::number(size), QString::number(tint.rgba(), 16),
                                 QString::number(devicePixelRatio), QIcon::themeName());
    QPixmap cached;
    if (QPixmapCache::find(key, &cached))
        return cached;
    QPixmap drawn = drawnPixmap(symbol, size, tint, devicePixelRatio);
    QPixmapCache::insert(key, drawn);
    return drawn;
}

QIcon SymbolImage::applicationIcon(const QColor& tint, const QColor& halo) {
    QIcon source = QIcon::fromTheme(applicationIconName);
    if (source.isNull())
        source = QIcon(bundledPath(applicationIconName.toStdString()));
    return QIcon(new TintedIconEngine(source, tint, applicationIconName, halo));
}

} // namespace ondravell
