#include "platform/xdg/SymbolicIconLookup.h"

#include <fstream>
#include <set>
#include <string>

namespace ondravell::platform {

namespace {

constexpr std::string_view fallbackTheme = "hicolor";
// A theme chain longer than this is taken to loop.
constexpr int maxThemes = 8;

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

std::vector<std::string> listed(std::string_view value) {
    std::vector<std::string> items;
    while (!value.empty()) {
        const auto comma = value.find(',');
        if (auto item = trimmed(value.substr(0, comma)); !item.empty())
            items.emplace_back(item);
        if (comma == std::string_view::npos)
            break;
        value.remove_prefix(comma + 1);
    }
    return items;
}

struct ThemeIndex {
    std::vector<std::string> scalableFolders;
    std::vector<std::string> parents;
};

// The theme's index.theme, from the first search path that has one.
std::optional<ThemeIndex> readIndex(std::string_view theme,
                                    const std::vector<std::filesystem::path>& searchPaths) {
    for (const std::filesystem::path& root : searchPaths) {
        std::ifstream file(root / theme / "index.theme");
        if (!file)
            continue;
        std::vector<std::string> folders;
        std::set<std::string> scalable;
        ThemeIndex index;
        std::string section;
        for (std::string line; std::getline(file, line);) {
            std::string_view text = trimmed(line);
            if (text.size() >= 2 && text.front() == '[' && text.back() == ']') {
                section = text.substr(1, text.size() - 2);
                continue;
            }
            const auto equals = text.find('=');
            if (equals == std::string_view::npos)
                continue;
            const std::string_view key = trimmed(text.substr(0, equals));
            const std::string_view value = trimmed(text.substr(equals + 1));
            if (section == "Icon Theme" && key == "Directories")
                folders = listed(value);
            else if (section == "Icon Theme" && key == "Inherits")
                index.parents = listed(value);
            else if (key == "Type" && value == "Scalable")
                scalable.insert(section);
        }
        for (std::string& folder : folders)
            if (scalable.count(folder))
                index.scalableFolders.push_back(std::move(folder));
        return index;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::filesystem::path> findSymbolicIcon(std::string_view iconName, std::string_view themeName,
                                                      const std::vector<std::filesystem::path>& searchPaths) {
    if (iconName.empty() || iconName.find('/') != std::string_view::npos)
        return std::nullopt;
    const std::string fileName = std::string(iconName) + ".svg";
    std::vector<std::string> themes{std::string(themeName)};
    std::set<std::string> seen;
    for (std::size_t next = 0; next < themes.size() && seen.size() < maxThemes; ++next) {
        const std::string& theme = themes[next];
        if (theme.empty() || theme == fallbackTheme || theme.find('/') != std::string::npos ||
            !seen.insert(theme).second)
            continue;
        auto index = readIndex(theme, searchPaths);
        if (!index)
            continue;
        for (const std::filesystem::path& root : searchPaths) {
            std::error_code error;
            if (!std::filesystem::is_directory(root / theme, error))
                continue;
            for (const std::string& folder : index->scalableFolders) {
                std::filesystem::path candidate = root / theme / folder / fileName;
                if (std::filesystem::is_regular_file(candidate, error))
                    return candidate;
            }
        }
        themes.insert(themes.end(), index->parents.begin(), index->parents.end());
    }
    return std::nullopt;
}

} // namespace ondravell::platform
