#pragma once

#include "platform/FrontmostApplication.h"

namespace ondravell::platform {

// Reports `identifier`, set by the test.
class FixedFrontmostApplication final : public FrontmostApplication {
public:
    std::optional<std::string> bundleIdentifier() override { return identifier; }

    std::optional<std::string> identifier;
};

} // namespace ondravell::platform
