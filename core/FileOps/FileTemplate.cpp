#include "core/FileOps/FileTemplate.h"

#include "core/FileOps/PlaceholderText.h"
#include "core/Support/StrictJson.h"

#include <array>

namespace ondravell {

std::string FileTemplate::render(std::string_view fileName, std::string_view date) const {
    const std::array<Placeholder, 2> placeholders = {{{"{name}", fileName}, {"{date}", date}}};
    return replacePlaceholders(content, placeholders);
}

std::string FileTemplate::defaultFileName(std::string_view base) const {
    std::string name(base);
    if (!fileExtension.empty())
        name += "." + fileExtension;
    return name;
}

nlohmann::json FileTemplate::toJSON() const {
    nlohmann::json value = {
        {"id", id},
        {"displayNameKey", displayNameKey},
        {"fileExtension", fileExtension},
        {"content", content},
        {"isExecutable", isExecutable},
        {"iconSymbol", iconSymbol},
        {"isBinaryBase64", isBinaryBase64},
    };
    if (customIconFilename)
        value["customIconFilename"] = *customIconFilename;
    return value;
}

std::optional<FileTemplate> FileTemplate::fromJSON(const nlohmann::json& value) {
    ObjectReader reader(value);
    auto id = reader.requiredString("id");
    auto displayNameKey = reader.requiredString("displayNameKey");
    auto fileExtension = reader.requiredString("fileExtension");
    auto content = reader.requiredString("content");
    auto isExecutable = reader.optionalBool("isExecutable");
    auto iconSymbol = reader.optionalString("iconSymbol");
    auto isBinaryBase64 = reader.optionalBool("isBinaryBase64");
    auto customIconFilename = reader.optionalString("customIconFilename");
    if (!reader.ok())
        return std::nullopt;
    FileTemplate result;
    result.id = std::move(*id);
    result.displayNameKey = std::move(*displayNameKey);
    result.fileExtension = std::move(*fileExtension);
    result.content = std::move(*content);
    result.isExecutable = isExecutable.value_or(false);
    result.iconSymbol = iconSymbol.value_or("doc");
    result.isBinaryBase64 = isBinaryBase64.value_or(false);
    result.customIconFilename = std::move(customIconFilename);
    return result;
}

} // namespace ondravell
