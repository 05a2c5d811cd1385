#pragma once

#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ondravell {

// A web search engine or AI assistant that the toolbar opens with the selected text.
struct SearchEngine {
    static constexpr std::string_view queryPlaceholder = "{q}";

    std::string id;           // stored in the settings' engine choices
    std::string name;         // shown to the user
    std::string urlTemplate;  // a URL with "{q}" where the query goes
    bool autoSubmits = false; // the engine sends the query by itself when the URL opens

    bool operator==(const SearchEngine&) const = default;

    // The template with every "{q}" replaced by the percent-encoded query; nullopt when the result is
    // not a URL. Letters, marks and digits of every script stay as they are, and so do "-._~"; every
    // other byte becomes "%" and two upper-case hex digits.
    std::optional<std::string> url(std::string_view query) const;

    // "autoSubmits" may be absent when reading (false); the other keys are required.
    nlohmann::json toJSON() const;
    static std::optional<SearchEngine> fromJSON(const nlohmann::json& value);

    // The four web search engines and the twelve AI assistants, each built once on first use.
    static const std::vector<SearchEngine>& builtins();
    static const std::vector<SearchEngine>& aiBuiltins();

    // The query encoding that `url` uses.
    static std::string percentEncodedQuery(std::string_view query);
};

} // namespace ondravell
