#pragma once

#include <cstdint>
#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>

namespace ondravell {

// One step of a long operation ("pending-progress.json").
struct ProgressPayload {
    std::string id;    // the same for every step of one operation (a new UUID per operation)
    std::string title; // shown above the bar
    std::int64_t completed = 0;
    std::int64_t total = 0;
    bool done = false; // true on the operation's last message

    bool operator==(const ProgressPayload&) const = default;

    nlohmann::json toJSON() const;
    // Every key is required; nullopt otherwise.
    static std::optional<ProgressPayload> fromJSON(const nlohmann::json& value);
};

} // namespace ondravell
