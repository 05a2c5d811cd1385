#include "core/SharedConfig/ToastPayload.h"

#include "core/Support/StrictJson.h"

namespace ondravell {

nlohmann::json ToastPayload::toJSON() const {
    return {{"message", message}, {"symbol", symbol}};
}

std::optional<ToastPayload> ToastPayload::fromJSON(const nlohmann::json& value) {
    ObjectReader reader(value);
    auto message = reader.requiredString("message");
    auto symbol = reader.requiredString("symbol");
    if (!reader.ok())
        return std::nullopt;
    return ToastPayload{std::move(*message), std::move(*symbol)};
}

} // namespace ondravell
