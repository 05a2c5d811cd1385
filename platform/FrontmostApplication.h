#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace ondravell::platform {

// The application whose window has the keyboard focus, named in the desktop-file id space that the
// settings use for applications.
class FrontmostApplication {
public:
    virtual ~FrontmostApplication() = default;

    // nullopt when no window is active or the active window names no application.
    virtual std::optional<std::string> bundleIdentifier() = 0;
    // The D-Bus object path a GTK application gave its active window (_GTK_WINDOW_OBJECT_PATH); nullopt
    // when the window names none.
    virtual std::optional<std::string> windowObjectPath() { return std::nullopt; }
    // The process that owns the window; nullopt when the window does not say.
    virtual std::optional<std::int64_t> processId() { return std::nullopt; }
};

} // namespace ondravell::platform
