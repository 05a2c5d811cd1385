#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ondravell {

// What the new-file action creates: the extension, the initial contents (text with "{name}" and
// "{date}", or Base64 of the bytes for binary formats), whether the file is executable, and its icon.
struct FileTemplate {
    std::string id;
    std::string displayNameKey;
    std::string fileExtension;
    std::string content;
    bool isExecutable = false;
    std::string iconSymbol = "doc";
    bool isBinaryBase64 = false;
    std::optional<std::string> customIconFilename;

    bool operator==(const FileTemplate&) const = default;

    // `content` with "{name}" and "{date}" replaced in one pass, so a file named "{date}" keeps its name.
    std::string render(std::string_view fileName, std::string_view date) const;
    // "base.ext", or the base alone when the extension is empty.
    std::string defaultFileName(std::string_view base) const;

    // The 19 templates every user has, in menu order.
    static const std::vector<FileTemplate>& builtins();

    nlohmann::json toJSON() const;
    // "id", "displayNameKey", "fileExtension" and "content" are required; the rest default.
    static std::optional<FileTemplate> fromJSON(const nlohmann::json& value);
};

} // namespace ondravell
