#pragma once

#include "App/Services/ConfigBundle.h"

#include <optional>
#include <string>
#include <string_view>

namespace ondravell {

// The sync file: {"updatedAt": <seconds since 2001-01-01 00:00:00 UTC>, "bundle": {...}}.
struct SyncPayload {
    // Seconds from 1970-01-01 to 2001-01-01, both UTC.
    static constexpr double referenceDateOffset = 978'307'200.0;

    double updatedAt = 0;
    ConfigBundle bundle;

    std::optional<std::string> encode() const;
    // Both keys are required; nullopt for anything else, a file cut short by a writer included.
    static std::optional<SyncPayload> decode(std::string_view bytes);
};

} // namespace ondravell
