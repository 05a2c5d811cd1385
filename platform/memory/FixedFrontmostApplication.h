#pragma once

#include "platform/FrontmostApplication.h"

namespace ondravell::platform {

// Reports `identifier` and `objectPath`, set by the test.
class FixedFrontmostApplication final : public FrontmostApplication {
public:
    std::optional<std::string> bundleIdentifier() override { return identifier; }
    std::optional<std::string> windowObjectPath() override { return objectPath; }

    std::optional<std::string> identifier;
    std::optional<std::string> objectPath;
};

} // namespace ondravell::platform
