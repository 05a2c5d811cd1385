#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ondravell::platform {

// Which application a process belongs to, as the desktop that started it recorded it.
struct ProcessDesktopId {
    // The desktop-file id of the application whose process lists `cgroup` (the text of
    // /proc/PID/cgroup): GNOME starts applications in a unit named app-gnome-ID-PID.scope (or
    // app-gnome-ID@RANDOM.service), ID escaped as systemd escapes unit names; nullopt for any other.
    static std::optional<std::string> fromCgroup(std::string_view cgroup);
};

} // namespace ondravell::platform
