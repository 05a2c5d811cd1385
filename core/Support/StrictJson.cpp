#include "core/Support/StrictJson.h"

#include <cmath>
#include <limits>

namespace ondravell {

std::optional<nlohmann::json> StrictJson::parse(std::string_view text) noexcept {
    try {
        auto value = nlohmann::json::parse(text.begin(), text.end(), nullptr, /*allow_exceptions=*/false);
        if (value.is_discarded())
            return std::nullopt;
        return value;
    } catch (...) {
        return std::nullopt;
    }
}

std::optional<std::string> StrictJson::dump(const nlohmann::json& value) noexcept {
    try {
        return value.dump();
    } catch (...) {
        return std::nullopt;
    }
}

namespace strict {

std::optional<std::string> asString(const nlohmann::json& value) {
    if (!value.is_string())
        return std::nullopt;
    return value.get_ref<const std::string&>();
}

std::optional<std::int64_t> asInt64(const nlohmann::json& value) {
    if (value.is_number_unsigned()) {
        auto number = value.get<std::uint64_t>();
        if (number > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
            return std::nullopt;
        return static_cast<std::int64_t>(number);
    }
    if (value.is_number_integer())
        return value.get<std::int64_t>();
    // Hand-edited files write whole numbers as 20.0 or 2e1; they are integers all the same. A fraction,
    // or a number beyond the signed 64-bit range, is not.
    if (value.is_number_float()) {
        const double number = value.get<double>();
        constexpr double limit = 9223372036854775808.0; // 2^63
        if (std::trunc(number) != number || number < -limit || number >= limit)
            return std::nullopt;
        return static_cast<std::int64_t>(number);
    }
    return std::nullopt;
}

std::optional<std::uint32_t> asUInt32(const nlohmann::json& value) {
    auto number = asInt64(value);
    if (!number || *number < 0 || *number > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;
    return static_cast<std::uint32_t>(*number);
}

std::optional<bool> asBool(const nlohmann::json& value) {
    if (!value.is_boolean())
        return std::nullopt;
    return value.get<bool>();
}

} // namespace strict

ObjectReader::ObjectReader(const nlohmann::json& value) : object_(&value), ok_(value.is_object()) {}

const nlohmann::json* ObjectReader::find(std::string_view key) const {
    if (!object_->is_object())
        return nullptr;
    auto it = object_->find(key);
    if (it == object_->end() || it->is_null())
        return nullptr;
    return &*it;
}

namespace {
template <class T, class Decode>
std::optional<T> readScalar(ObjectReader& reader, std::string_view key, Decode decode) {
    const nlohmann::json* value = reader.find(key);
    if (!value)
        return std::nullopt;
    auto result = decode(*value);
    if (!result)
        reader.fail();
    return result;
}
} // namespace

std::optional<bool> ObjectReader::optionalBool(std::string_view key) {
    return readScalar<bool>(*this, key, strict::asBool);
}

std::optional<std::string> ObjectReader::optionalString(std::string_view key) {
    return readScalar<std::string>(*this, key, strict::asString);
}

std::optional<std::int64_t> ObjectReader::optionalInt64(std::string_view key) {
    return readScalar<std::int64_t>(*this, key, strict::asInt64);
}

std::optional<std::uint32_t> ObjectReader::optionalUInt32(std::string_view key) {
    return readScalar<std::uint32_t>(*this, key, strict::asUInt32);
}

std::optional<double> ObjectReader::optionalDouble(std::string_view key) {
    return readScalar<double>(*this, key, [](const nlohmann::json& value) -> std::optional<double> {
        if (!value.is_number())
            return std::nullopt;
        return value.get<double>();
    });
}

std::optional<std::vector<std::string>> ObjectReader::optionalStringArray(std::string_view key) {
    return optionalArray(key, strict::asString);
}

std::optional<std::map<std::string, std::string>> ObjectReader::optionalStringMap(std::string_view key) {
    return optionalMap(key, strict::asString);
}

} // namespace ondravell
