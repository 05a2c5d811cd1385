#pragma once

#include <map>
#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>
#include <vector>

namespace ondravell {

// An action for the application to carry out on files ("pending-proxy-action.json").
struct ProxyActionRequest {
    std::string action;             // "paste", "transfer", "hash", ...
    std::vector<std::string> paths; // absolute paths of the items
    std::optional<std::string>
        destination; // absolute path of the target folder; left out of the JSON when absent
    std::map<std::string, std::string> extra; // further arguments by name ("move", "algorithm", "templateID")

    bool operator==(const ProxyActionRequest&) const = default;

    nlohmann::json toJSON() const;
    // "action", "paths" and "extra" are required; nullopt otherwise.
    static std::optional<ProxyActionRequest> fromJSON(const nlohmann::json& value);
};

} // namespace ondravell
