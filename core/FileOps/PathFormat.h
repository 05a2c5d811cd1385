#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace ondravell {

// The fixed ways of turning a file's location into text. The order of `allPathFormats` is the order
// of the copy-path submenu.
enum class PathFormat { posix, relative, fileURL, quoted, name, nameWithoutExtension, parentDirectory };

inline constexpr std::array<PathFormat, 7> allPathFormats = {
    PathFormat::posix,           PathFormat::relative, PathFormat::fileURL,
    PathFormat::quoted,          PathFormat::name,     PathFormat::nameWithoutExtension,
    PathFormat::parentDirectory,
};

// "posix", "relative", ... as stored in settings and requests.
std::string_view rawValue(PathFormat format);
std::optional<PathFormat> pathFormatFromRawValue(std::string_view raw);

// The menu label before localisation; the Chinese label is its own key.
std::string_view labelKey(PathFormat format);
// The menu label in the user's language.
std::string localizedLabel(PathFormat format);

} // namespace ondravell
