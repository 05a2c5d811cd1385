#include "core/Support/PathRules.h"

#include <vector>

namespace ondravell {

namespace {

std::string_view trimTrailingSlashes(std::string_view path) {
    while (path.size() > 1 && path.back() == '/')
        path.remove_suffix(1);
    return path;
}

// Position of the dot that starts the extension in `name`, or npos.
std::size_t extensionDot(std::string_view name) {
    std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0 || dot + 1 == name.size())
        return std::string_view::npos;
    return dot;
}

} // namespace

std::string PathRules::lastPathComponent(std::string_view path) {
    path = trimTrailingSlashes(path);
    if (path == "/")
        return "/";
    std::size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string PathRules::pathExtension(std::string_view path) {
    std::string name = lastPathComponent(path);
    if (name == "/")
        return "";
    std::size_t dot = extensionDot(name);
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::string PathRules::deletingPathExtension(std::string_view path) {
    std::string_view trimmed = trimTrailingSlashes(path);
    std::string name = lastPathComponent(trimmed);
    std::size_t dot = name == "/" ? std::string::npos : extensionDot(name);
    if (dot == std::string::npos)
        return std::string(trimmed);
    return std::string(trimmed.substr(0, trimmed.size() - (name.size() - dot)));
}

std::string PathRules::nameWithoutExtension(std::string_view path) {
    return deletingPathExtension(lastPathComponent(path));
}

std::string PathRules::deletingLastPathComponent(std::string_view path) {
    path = trimTrailingSlashes(path);
    if (path == "/")
        return "/";
    std::size_t slash = path.rfind('/');
    if (slash == std::string_view::npos)
        return "";
    if (slash == 0)
        return "/";
    return std::string(trimTrailingSlashes(path.substr(0, slash)));
}

std::string PathRules::appendingPathComponent(std::string_view path, std::string_view component) {
    while (!component.empty() && component.front() == '/')
        component.remove_prefix(1);
    std::string out(trimTrailingSlashes(path));
    if (out.empty())
        return std::string(component);
    if (out.back() != '/')
        out += '/';
    out += component;
    return out;
}

std::string PathRules::standardized(std::string_view path) {
    if (path.empty())
        return "";
    const bool absolute = path.front() == '/';
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string_view::npos)
            end = path.size();
        std::string_view part = path.substr(start, end - start);
        if (part.empty() || part == ".") {
            // dropped
        } else if (part == "..") {
            if (!parts.empty() && parts.back() != "..")
                parts.pop_back();
            else if (!absolute)
                parts.push_back(part);
        } else {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string out = absolute ? "/" : "";
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            out += '/';
        out += parts[i];
    }
    if (out.empty())
        return ".";
    return out;
}

} // namespace ondravell
