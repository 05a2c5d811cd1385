#include "core/SharedConfig/ProgressPayload.h"

#include "core/Support/StrictJson.h"

namespace ondravell {

nlohmann::json ProgressPayload::toJSON() const {
    return {{"id", id}, {"title", title}, {"completed", completed}, {"total", total}, {"done", done}};
}

std::optional<ProgressPayload> ProgressPayload::fromJSON(const nlohmann::json& value) {
    ObjectReader reader(value);
    auto id = reader.requiredString("id");
    auto title = reader.requiredString("title");
    auto completed = reader.requiredInt64("completed");
    auto total = reader.requiredInt64("total");
    auto done = reader.requiredBool("done");
    if (!reader.ok())
        return std::nullopt;
    return ProgressPayload{std::move(*id), std::move(*title), *completed, *total, *done};
}

} // namespace ondravell
