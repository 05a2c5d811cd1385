#include "platform/xdg/XdgAutostartLoginItem.h"

#include <cstdlib>
#include <fstream>
#include <string>
#include <system_error>

namespace ondravell::platform {

namespace {

// The program as one argument of an Exec line: quoted, with the characters the desktop entry format
// reserves inside quotes escaped, and every backslash doubled once more for the string value.
std::string execArgument(const std::string& program) {
    std::string quoted = "\"";
    for (char c : program) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    std::string value;
    for (char c : quoted) {
        if (c == '\\')
            value += '\\';
        value += c;
    }
    return value;
}

std::filesystem::path environmentPath(const char* name) {
    const char* value = std::getenv(name);
    return value && *value == '/' ? std::filesystem::path(value) : std::filesystem::path();
}

} // namespace

XdgAutostartLoginItem::XdgAutostartLoginItem(std::filesystem::path program, std::filesystem::path folder)
    : program_(std::move(program)), folder_(folder.empty() ? defaultFolder() : std::move(folder)) {}

std::filesystem::path XdgAutostartLoginItem::defaultFolder() {
    std::filesystem::path config = environmentPath("XDG_CONFIG_HOME");
    if (config.empty())
        config = environmentPath("HOME") / ".config";
    return config / "autostart";
}

bool XdgAutostartLoginItem::isEnabled() const {
    std::error_code error;
    return std::filesystem::is_regular_file(entryPath(), error);
}

bool XdgAutostartLoginItem::setEnabled(bool enabled) {
    std::error_code error;
    if (!enabled) {
        std::filesystem::remove(entryPath(), error);
        return !error;
    }
    if (program_.empty() || folder_.empty())
        return false;
    std::filesystem::create_directories(folder_, error);
    if (error)
        return false;
    std::filesystem::path temporary = folder_ / ".ondravell.desktop.tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << "[Desktop Entry]\nType=Application\nName=Ondravell\nExec=" << execArgument(program_.string())
            << "\nTerminal=false\nX-GNOME-Autostart-enabled=true\n";
        out.close();
        if (!out) {
            std::filesystem::remove(temporary, error);
            return false;
        }
    }
    std::filesystem::rename(temporary, entryPath(), error);
    if (error)
        std::filesystem::remove(temporary, error);
    return isEnabled();
}

} // namespace ondravell::platform
