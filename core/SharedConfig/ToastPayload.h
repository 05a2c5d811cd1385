#pragma once

#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>
#include <string_view>

namespace ondravell {

// A toast for the application to show ("pending-toast.json").
struct ToastPayload {
    // The symbols that go with an outcome.
    static constexpr std::string_view successSymbol = "checkmark.circle.fill";
    static constexpr std::string_view warningSymbol = "exclamationmark.triangle.fill";

    std::string message; // already localised by the sender
    std::string symbol;  // name of the symbol shown beside it

    bool operator==(const ToastPayload&) const = default;

    nlohmann::json toJSON() const;
    // Both keys are required; nullopt otherwise.
    static std::optional<ToastPayload> fromJSON(const nlohmann::json& value);
};

} // namespace ondravell
