#include "App/MainWindow/Pages/TemplateIconCache.h"

#include "App/Images/TemplateIconImage.h"
#include "App/MainWindow/Widgets/QtText.h"
#include "App/MainWindow/Widgets/SymbolIcons.h"
#include "App/Symbols/SymbolImage.h"
#include "core/Support/AtomicFile.h"

namespace ondravell {

QPixmap TemplateIconCache::picture(const std::string& filename, QSize box, qreal devicePixelRatio) {
    auto url = store_.iconURL(filename);
    if (!url)
        return {};
    std::error_code error;
    auto modified = std::filesystem::last_write_time(*url, error);
    auto bytes = error ? 0 : std::filesystem::file_size(*url, error);
    if (error) {
        pictures_.erase(filename);
        return {};
    }
    Picture& entry = pictures_[filename];
    if (entry.modified == modified && entry.bytes == bytes && entry.box == box &&
        entry.devicePixelRatio == devicePixelRatio)
        return entry.pixmap;
    entry = {modified, bytes, box, devicePixelRatio, {}};
    // A stored icon is small; one that grew past an upload's size was not written here and is not read.
    std::optional<std::string> data = readRegularFile(*url, TemplateIconStore::maxUploadBytes);
    if (!data || data->size() > TemplateIconStore::maxUploadBytes)
        return {};
    QImage fitted = TemplateIconImage::fitted(QByteArray::fromStdString(*data),
                                              (QSizeF(box) * devicePixelRatio).toSize());
    if (fitted.isNull())
        return {};
    entry.pixmap = QPixmap::fromImage(fitted);
    entry.pixmap.setDevicePixelRatio(devicePixelRatio);
    return entry.pixmap;
}

QIcon TemplateIconCache::buttonIcon(const std::string& name, const QColor& tint) {
    QIcon& icon = buttonIcons_[{name, tint.rgba()}];
    if (icon.isNull())
        icon = symbolIcon(name, tint);
    return icon;
}

QPixmap TemplateIconCache::symbol(const std::string& name, int size, const QColor& tint,
                                  qreal devicePixelRatio) {
    QPixmap& pixmap = symbols_[{name, tint.rgba()}];
    if (pixmap.isNull() || pixmap.devicePixelRatio() != devicePixelRatio ||
        pixmap.deviceIndependentSize() != QSizeF(size, size))
        pixmap = SymbolImage::pixmap(toQString(name), size, tint, devicePixelRatio);
    return pixmap;
}

} // namespace ondravell
