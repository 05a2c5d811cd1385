#pragma once

#include "core/Support/StrictJson.h"

#include <optional>
#include <string>
#include <string_view>

namespace ondravell {

// The JSON text of a record with `toJSON()`; nullopt when it cannot be written (a text that is not UTF-8).
template <class Record> std::optional<std::string> encodeRecord(const Record& record) {
    return StrictJson::dump(record.toJSON());
}

// A record with `static std::optional<Record> fromJSON(const nlohmann::json&)` read from JSON text;
// nullopt for text that is not JSON or not the record.
template <class Record> std::optional<Record> decodeRecord(std::string_view bytes) {
    auto value = StrictJson::parse(bytes);
    if (!value)
        return std::nullopt;
    return Record::fromJSON(*value);
}

} // namespace ondravell
