#include "core/TextProcessing/JSONTool.h"

#include "core/TextProcessing/JsonDocument.h"

namespace ondravell {

bool JSONTool::isValid(std::string_view text) {
    return JsonDocument::parse(text).has_value();
}

std::optional<std::string> JSONTool::prettyPrint(std::string_view text) {
    auto document = JsonDocument::parse(text);
    if (!document)
        return std::nullopt;
    return document->write(JsonDocument::Style::pretty);
}

std::optional<std::string> JSONTool::minify(std::string_view text) {
    auto document = JsonDocument::parse(text);
    if (!document)
        return std::nullopt;
    return document->write(JsonDocument::Style::compact);
}

} // namespace ondravell
