#include "core/SharedConfig/HotKeySpec.h"

#include "core/Support/StrictJson.h"

namespace ondravell {

nlohmann::json HotKeySpec::toJSON() const {
    return {{"keyCode", keyCode}, {"carbonModifiers", carbonModifiers}, {"display", display}};
}

std::optional<HotKeySpec> HotKeySpec::fromJSON(const nlohmann::json& value) {
    ObjectReader reader(value);
    auto keyCode = reader.requiredUInt32("keyCode");
    auto modifiers = reader.requiredUInt32("carbonModifiers");
    auto display = reader.requiredString("display");
    if (!reader.ok())
        return std::nullopt;
    return HotKeySpec{*keyCode, *modifiers, std::move(*display)};
}

} // namespace ondravell
