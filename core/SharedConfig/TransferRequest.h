#pragma once

#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>
#include <vector>

namespace ondravell {

// Copy or move items into a folder that the user picks in the application ("pending-transfer.json").
struct TransferRequest {
    std::vector<std::string> paths; // absolute paths of the items
    bool move = false;              // true: move; false: copy

    bool operator==(const TransferRequest&) const = default;

    nlohmann::json toJSON() const;
    // Both keys are required; nullopt otherwise.
    static std::optional<TransferRequest> fromJSON(const nlohmann::json& value);
};

} // namespace ondravell
