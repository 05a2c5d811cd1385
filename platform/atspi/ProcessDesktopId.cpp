#include "platform/atspi/ProcessDesktopId.h"

#include "core/TextProcessing/Ascii.h"

#include <algorithm>

namespace ondravell::platform {

namespace {

// Undoes systemd's unit-name escaping: "\xNN" stands for the byte NN.
std::string unescapeUnitName(std::string_view name) {
    std::string out;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x' &&
            Ascii::hexValue(name[i + 2]) >= 0 && Ascii::hexValue(name[i + 3]) >= 0) {
            out += char(Ascii::hexValue(name[i + 2]) * 16 + Ascii::hexValue(name[i + 3]));
            i += 3;
        } else {
            out += name[i];
        }
    }
    return out;
}

} // namespace

std::optional<std::string> ProcessDesktopId::fromCgroup(std::string_view cgroup) {
    constexpr std::string_view prefix = "app-gnome-";
    std::size_t lineStart = 0;
    while (lineStart < cgroup.size()) {
        std::size_t lineEnd = cgroup.find('\n', lineStart);
        std::string_view line = cgroup.substr(
            lineStart, lineEnd == std::string_view::npos ? std::string_view::npos : lineEnd - lineStart);
        lineStart = lineEnd == std::string_view::npos ? cgroup.size() : lineEnd + 1;
        std::size_t slash = line.rfind('/');
        std::string_view unit = slash == std::string_view::npos ? line : line.substr(slash + 1);
        if (!unit.starts_with(prefix))
            continue;
        unit.remove_prefix(prefix.size());
        std::string_view id;
        if (unit.ends_with(".scope")) {
            unit.remove_suffix(6);
            std::size_t dash = unit.rfind('-');
            if (dash == std::string_view::npos || dash + 1 == unit.size() ||
                !std::all_of(unit.begin() + long(dash) + 1, unit.end(),
                             [](char c) { return Ascii::isDigit(c); }))
                continue;
            id = unit.substr(0, dash);
        } else if (unit.ends_with(".service")) {
            unit.remove_suffix(8);
            id = unit.substr(0, unit.find('@'));
        }
        if (!id.empty())
            return unescapeUnitName(id);
    }
    return std::nullopt;
}

} // namespace ondravell::platform
