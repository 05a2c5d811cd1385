#pragma once

#include "core/FileOps/TemplateIconStore.h"
#include "core/FileOps/TemplateStore.h"

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <utility>

namespace ondravell {

// The pictures of the templates page's rows, made when a row is first drawn and kept while the file
// and the size stay the same: a page of hundreds of templates decodes only the icons it shows, once.
class TemplateIconCache {
public:
    // The user's icon file fitted into `box`; null when there is no such file or it does not decode.
    QPixmap picture(const std::string& filename, QSize box, qreal devicePixelRatio);
    // The symbol as a button's icon in `tint`, made once for all rows.
    QIcon buttonIcon(const std::string& name, const QColor& tint);
    // The symbol in `tint`, `size` pixels square.
    QPixmap symbol(const std::string& name, int size, const QColor& tint, qreal devicePixelRatio);

private:
    struct Picture {
        std::filesystem::file_time_type modified;
        std::uintmax_t bytes = 0;
        QSize box;
        qreal devicePixelRatio = 0;
        QPixmap pixmap;
    };

    TemplateIconStore store_{TemplateStore::appGroupID};
    std::map<std::string, Picture> pictures_;
    std::map<std::pair<std::string, QRgb>, QPixmap> symbols_;
    std::map<std::pair<std::string, QRgb>, QIcon> buttonIcons_;
};

} // namespace ondravell
