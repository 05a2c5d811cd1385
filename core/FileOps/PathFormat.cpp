#include "core/FileOps/PathFormat.h"

#include "core/SharedConfig/ODLocalized.h"

namespace ondravell {

namespace {

struct FormatNames {
    PathFormat format;
    std::string_view raw;
    std::string_view label;
};

constexpr std::array<FormatNames, 7> formatNames = {{
    {PathFormat::posix, "posix", "POSIX 路径"},
    {PathFormat::relative, "relative", "相对路径"},
    {PathFormat::fileURL, "fileURL", "file:// URL"},
    {PathFormat::quoted, "quoted", "带引号路径"},
    {PathFormat::name, "name", "文件名"},
    {PathFormat::nameWithoutExtension, "nameWithoutExtension", "文件名（无扩展名）"},
    {PathFormat::parentDirectory, "parentDirectory", "父目录"},
}};

const FormatNames& namesOf(PathFormat format) {
    for (const FormatNames& names : formatNames) {
        if (names.format == format)
            return names;
    }
    return formatNames.front();
}

} // namespace

std::string_view rawValue(PathFormat format) {
    return namesOf(format).raw;
}

std::optional<PathFormat> pathFormatFromRawValue(std::string_view raw) {
    for (const FormatNames& names : formatNames) {
        if (names.raw == raw)
            return names.format;
    }
    return std::nullopt;
}

std::string_view labelKey(PathFormat format) {
    return namesOf(format).label;
}

std::string localizedLabel(PathFormat format) {
    return ODLocalizedKey(labelKey(format));
}

} // namespace ondravell
