#pragma once

#include <cstdint>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ondravell {

// Parsing and dumping that never throw. Stored files and messages come from another process or from
// the user's hands, so every failure is an empty result.
struct StrictJson {
    static std::optional<nlohmann::json> parse(std::string_view text) noexcept;
    // Compact form; nullopt when a string is not valid UTF-8.
    static std::optional<std::string> dump(const nlohmann::json& value) noexcept;
};

// Reads the keys of one JSON object with strict types. A missing key and null are both "absent"; a
// present key of the wrong type (a bool where a number is expected, a fraction for an integer
// (a whole number written as 20.0 or 2e1 is an integer), a negative
// or out-of-range number for an unsigned field) marks the whole record as failed. Callers read every key
// they need, then check ok().
class ObjectReader {
public:
    // A value that is not an object fails at once.
    explicit ObjectReader(const nlohmann::json& value);

    bool ok() const { return ok_; }
    // Marks the record as failed, for checks of the caller's own (an unknown enumeration text, ...).
    void fail() { ok_ = false; }

    // Absent or null: nullopt. Present: the value, or nullopt and failure on a type mismatch.
    std::optional<bool> optionalBool(std::string_view key);
    std::optional<std::string> optionalString(std::string_view key);
    std::optional<std::int64_t> optionalInt64(std::string_view key);
    std::optional<std::uint32_t> optionalUInt32(std::string_view key);
    std::optional<double> optionalDouble(std::string_view key);
    std::optional<std::vector<std::string>> optionalStringArray(std::string_view key);
    std::optional<std::map<std::string, std::string>> optionalStringMap(std::string_view key);

    // Required keys: absence fails the record as a wrong type does.
    std::optional<bool> requiredBool(std::string_view key) { return required(optionalBool(key), key); }
    std::optional<std::string> requiredString(std::string_view key) {
        return required(optionalString(key), key);
    }
    std::optional<std::int64_t> requiredInt64(std::string_view key) {
        return required(optionalInt64(key), key);
    }
    std::optional<std::uint32_t> requiredUInt32(std::string_view key) {
        return required(optionalUInt32(key), key);
    }
    std::optional<std::vector<std::string>> requiredStringArray(std::string_view key) {
        return required(optionalStringArray(key), key);
    }
    std::optional<std::map<std::string, std::string>> requiredStringMap(std::string_view key) {
        return required(optionalStringMap(key), key);
    }

    // Nested records: `decode` takes a json value and returns std::optional<T>; nullopt fails the record.
    template <class Decode>
    auto optionalRecord(std::string_view key, Decode decode) -> decltype(decode(nlohmann::json{})) {
        const nlohmann::json* value = find(key);
        if (!value)
            return std::nullopt;
        auto record = decode(*value);
        if (!record)
            ok_ = false;
        return record;
    }

    template <class Decode>
    auto optionalArray(std::string_view key, Decode decode)
        -> std::optional<std::vector<typename decltype(decode(nlohmann::json{}))::value_type>> {
        using T = typename decltype(decode(nlohmann::json{}))::value_type;
        const nlohmann::json* value = find(key);
        if (!value)
            return std::nullopt;
        if (!value->is_array())
            return mismatch<std::vector<T>>();
        std::vector<T> out;
        out.reserve(value->size());
        for (const auto& element : *value) {
            auto record = decode(element);
            if (!record)
                return mismatch<std::vector<T>>();
            out.push_back(std::move(*record));
        }
        return out;
    }

    template <class Decode>
    auto optionalMap(std::string_view key, Decode decode)
        -> std::optional<std::map<std::string, typename decltype(decode(nlohmann::json{}))::value_type>> {
        using T = typename decltype(decode(nlohmann::json{}))::value_type;
        const nlohmann::json* value = find(key);
        if (!value)
            return std::nullopt;
        if (!value->is_object())
            return mismatch<std::map<std::string, T>>();
        std::map<std::string, T> out;
        for (const auto& [name, element] : value->items()) {
            auto record = decode(element);
            if (!record)
                return mismatch<std::map<std::string, T>>();
            out.emplace(name, std::move(*record));
        }
        return out;
    }

    // The raw value of a key, or nullptr when it is absent or null.
    const nlohmann::json* find(std::string_view key) const;

private:
    template <class T> std::optional<T> mismatch() {
        ok_ = false;
        return std::nullopt;
    }
    template <class T> std::optional<T> required(std::optional<T> value, std::string_view key) {
        if (!value && !find(key))
            ok_ = false;
        return value;
    }

    const nlohmann::json* object_;
    bool ok_;
};

// Decoders for single values, usable as the `decode` argument of ObjectReader's templates.
namespace strict {
std::optional<std::string> asString(const nlohmann::json& value);
std::optional<std::int64_t> asInt64(const nlohmann::json& value);
std::optional<std::uint32_t> asUInt32(const nlohmann::json& value);
std::optional<bool> asBool(const nlohmann::json& value);
} // namespace strict

} // namespace ondravell
