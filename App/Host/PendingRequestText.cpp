#include "App/Host/PendingRequestText.h"

#include "core/Support/UnicodeText.h"

namespace ondravell {

std::optional<std::string> PendingRequestText::newFileDirectory(std::string_view text) {
    if (!UnicodeText::isValidUTF8(text))
        return std::nullopt;
    std::string directory = UnicodeText::trimmingWhitespaceAndNewlines(text);
    if (directory.empty())
        return std::nullopt;
    return directory;
}

std::vector<std::string> PendingRequestText::deletePaths(std::string_view text) {
    std::vector<std::string> paths;
    if (!UnicodeText::isValidUTF8(text))
        return paths;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        if (end > start)
            paths.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return paths;
}

} // namespace ondravell
