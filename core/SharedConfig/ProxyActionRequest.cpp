#include "core/SharedConfig/ProxyActionRequest.h"

#include "core/Support/StrictJson.h"

namespace ondravell {

nlohmann::json ProxyActionRequest::toJSON() const {
    nlohmann::json object = {{"action", action}, {"paths", paths}, {"extra", extra}};
    if (destination)
        object["destination"] = *destination;
    return object;
}

std::optional<ProxyActionRequest> ProxyActionRequest::fromJSON(const nlohmann::json& value) {
    ObjectReader reader(value);
    auto action = reader.requiredString("action");
    auto paths = reader.requiredStringArray("paths");
    auto destination = reader.optionalString("destination");
    auto extra = reader.requiredStringMap("extra");
    if (!reader.ok())
        return std::nullopt;
    return ProxyActionRequest{std::move(*action), std::move(*paths), std::move(destination),
                              std::move(*extra)};
}

} // namespace ondravell
