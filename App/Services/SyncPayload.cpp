#include "App/Services/SyncPayload.h"

#include "core/Support/StrictJson.h"

namespace ondravell {

std::optional<std::string> SyncPayload::encode() const {
    return StrictJson::dump({{"updatedAt", updatedAt}, {"bundle", bundle.toJSON()}});
}

std::optional<SyncPayload> SyncPayload::decode(std::string_view bytes) {
    if (bytes.size() > ConfigBundle::maxFileBytes)
        return std::nullopt;
    auto value = StrictJson::parse(bytes);
    if (!value)
        return std::nullopt;
    ObjectReader reader(*value);
    auto updatedAt = reader.optionalDouble("updatedAt");
    auto bundle = reader.optionalRecord("bundle", ConfigBundle::fromJSON);
    if (!reader.ok() || !updatedAt || !bundle)
        return std::nullopt;
    return SyncPayload{*updatedAt, std::move(*bundle)};
}

} // namespace ondravell
