#include "core/SharedConfig/PathTemplate.h"

#include "core/Support/StrictJson.h"

namespace ondravell {

nlohmann::json PathTemplate::toJSON() const {
    return {{"id", id}, {"name", name}, {"template", pathTemplate}};
}

std::optional<PathTemplate> PathTemplate::fromJSON(const nlohmann::json& value) {
    ObjectReader reader(value);
    auto id = reader.requiredString("id");
    auto name = reader.requiredString("name");
    auto text = reader.requiredString("template");
    if (!reader.ok())
        return std::nullopt;
    return PathTemplate{std::move(*id), std::move(*name), std::move(*text)};
}

} // namespace ondravell
