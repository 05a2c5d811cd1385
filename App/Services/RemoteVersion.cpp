#include "App/Services/RemoteVersion.h"

#include "core/Support/StrictJson.h"

namespace ondravell {

std::optional<RemoteVersion> RemoteVersion::decode(std::string_view bytes) {
    if (bytes.size() > maxDocumentBytes)
        return std::nullopt;
    auto value = StrictJson::parse(bytes);
    if (!value)
        return std::nullopt;
    ObjectReader reader(*value);
    auto version = reader.requiredString("version");
    auto url = reader.requiredString("url");
    auto notes = reader.optionalString("notes");
    if (!reader.ok() || !version || !url)
        return std::nullopt;
    return RemoteVersion{std::move(*version), std::move(*url), std::move(notes)};
}

} // namespace ondravell
