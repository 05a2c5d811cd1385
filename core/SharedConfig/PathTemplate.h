#pragma once

#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>

namespace ondravell {

// A copy-path template of the user's. In JSON the text is stored under "template".
struct PathTemplate {
    std::string id;           // unique among the templates
    std::string name;         // the menu title
    std::string pathTemplate; // the text with placeholders that the path formatter renders

    bool operator==(const PathTemplate&) const = default;

    nlohmann::json toJSON() const;
    // All three keys are required.
    static std::optional<PathTemplate> fromJSON(const nlohmann::json& value);
};

} // namespace ondravell
