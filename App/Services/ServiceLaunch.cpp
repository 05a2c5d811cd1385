#include "App/Services/ServiceLaunch.h"

#include "core/TextProcessing/Ascii.h"

#include <cstdlib>
#include <unistd.h>

namespace ondravell {

namespace {

// Where Nautilus shows no local folder (search results), it passes URIs rather than names: a file URI
// is its path, byte for byte; a URI of another scheme (the trash, a network share) has no local path
// and gives nothing. Anything else is a name.
enum class Argument { name, path, none };
Argument classify(const std::string& argument, std::string& path) {
    std::size_t colon = argument.find("://");
    if (colon == std::string::npos || colon == 0)
        return Argument::name;
    for (std::size_t i = 0; i < colon; ++i) {
        char c = argument[i];
        bool schemeCharacter =
            Ascii::isAlpha(c) || (i > 0 && (Ascii::isDigit(c) || c == '+' || c == '-' || c == '.'));
        if (!schemeCharacter)
            return Argument::name;
    }
    if (argument.compare(0, colon, "file") != 0 || argument.size() <= colon + 3 || argument[colon + 3] != '/')
        return Argument::none;
    path.clear();
    for (std::size_t i = colon + 3; i < argument.size(); ++i) {
        int high = 0, low = 0;
        if (argument[i] == '%' && i + 2 < argument.size() && (high = Ascii::hexValue(argument[i + 1])) >= 0 &&
            (low = Ascii::hexValue(argument[i + 2])) >= 0) {
            path += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            path += argument[i];
        }
    }
    return path.find('\0') == std::string::npos ? Argument::path : Argument::none;
}

} // namespace

std::optional<platform::ServiceRequest> ServiceLaunch::parse(const std::vector<std::string>& arguments,
                                                             const std::filesystem::path& workingFolder) {
    for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
        if (arguments[i] != option)
            continue;
        platform::ServiceRequest request{arguments[i + 1], {}};
        for (std::size_t n = i + 2; n < arguments.size(); ++n) {
            const std::string& name = arguments[n];
            std::string path;
            Argument kind = classify(name, path);
            if (kind == Argument::path)
                request.paths.push_back(path);
            else if (kind == Argument::none || name.empty() || name.front() == '/' || workingFolder.empty())
                request.paths.push_back(name);
            else
                request.paths.push_back((workingFolder / name).string());
        }
        return request;
    }
    return std::nullopt;
}

void ServiceLaunch::leaveWorkingFolder() {
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/' && ::chdir(home) == 0)
        return;
    if (::chdir("/") != 0) {
        // "/" is always there; a process that cannot enter it keeps its folder.
    }
}

} // namespace ondravell
