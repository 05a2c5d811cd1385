#include "core/SharedConfig/TransferRequest.h"

#include "core/Support/StrictJson.h"

namespace ondravell {

nlohmann::json TransferRequest::toJSON() const {
    return {{"paths", paths}, {"move", move}};
}

std::optional<TransferRequest> TransferRequest::fromJSON(const nlohmann::json& value) {
    ObjectReader reader(value);
    auto paths = reader.requiredStringArray("paths");
    auto move = reader.requiredBool("move");
    if (!reader.ok())
        return std::nullopt;
    return TransferRequest{std::move(*paths), *move};
}

} // namespace ondravell
