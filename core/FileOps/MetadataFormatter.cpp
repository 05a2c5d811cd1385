#include "core/FileOps/MetadataFormatter.h"

#include "core/FileOps/ByteCountText.h"
#include "core/FileOps/LocalDateText.h"
#include "core/SharedConfig/ODLocalized.h"

#include <vector>

namespace ondravell {

std::string MetadataFormatter::format(const FileMetadata& metadata) {
    std::vector<std::string> lines;
    lines.push_back(ODLocalized("名称: %@", metadata.name));
    if (metadata.isDirectory)
        lines.push_back(ODLocalized("类型: 文件夹"));
    else if (metadata.typeIdentifier)
        lines.push_back(ODLocalized("类型: %@", *metadata.typeIdentifier));
    if (metadata.sizeBytes)
        lines.push_back(ODLocalized("大小: %@ (%lld 字节)", ByteCountText::file(*metadata.sizeBytes),
                                    *metadata.sizeBytes));
    if (metadata.pixelWidth && metadata.pixelHeight)
        lines.push_back(ODLocalized("尺寸: %lld × %lld", *metadata.pixelWidth, *metadata.pixelHeight));
    if (metadata.created)
        lines.push_back(ODLocalized("创建: %@", LocalDateText::dateTime(*metadata.created)));
    if (metadata.modified)
        lines.push_back(ODLocalized("修改: %@", LocalDateText::dateTime(*metadata.modified)));
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += '\n';
        text += lines[i];
    }
    return text;
}

} // namespace ondravell
