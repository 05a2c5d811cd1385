#include "App/Symbols/SymbolImage.h"

#include "App/Symbols/TintedIconEngine.h"
#include "platform/SymbolIconNames.h"
#include "platform/xdg/SymbolicIconLookup.h"

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

constexpr std::string_view symbolicSuffix = "-symbolic";
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
        // pictures do, where a full-colour icon would turn into a blot. Looked up in the desktop theme's
        // own folders, not by Qt's walk through every folder of every theme, which a theme folder
        // without a cache (one in ~/.local/share/icons, say) makes thousands of look-ups per name.
        std::vector<std::filesystem::path> searchPaths;
        for (const QString& path : QIcon::themeSearchPaths())
            if (!path.startsWith(QLatin1Char(':'))) // Qt's resources, not files
                searchPaths.emplace_back(path.toStdString());
        if (auto file = platform::findSymbolicIcon(std::string(entry->iconName).append(symbolicSuffix),
                                                   QIcon::themeName().toStdString(), searchPaths))
            return QIcon(QString::fromStdString(file->string()));
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
    // The picture the theme would give is this one, installed under the name: it is not looked up.
    QIcon source(bundledPath(applicationIconName.toStdString()));
    return QIcon(new TintedIconEngine(source, tint, applicationIconName, halo));
}

} // namespace ondravell
