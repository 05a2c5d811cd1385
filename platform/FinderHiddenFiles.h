#pragma once

#include <optional>

namespace ondravell::platform {

// Whether the file manager shows hidden files. The file manager follows the change live.
class FinderHiddenFiles {
public:
    virtual ~FinderHiddenFiles() = default;

    // Flips the setting and returns the new state; nullopt when the setting cannot be found or
    // changed (nothing was changed then).
    virtual std::optional<bool> toggle() = 0;
};

} // namespace ondravell::platform
