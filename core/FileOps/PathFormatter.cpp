#include "core/FileOps/PathFormatter.h"

#include "core/FileOps/PlaceholderText.h"
#include "core/Support/PathRules.h"

#include <array>

namespace ondravell {

namespace {

// A file location is always absolute: a relative one is taken from the working folder, as a file URL
// made from it would be.
std::string standardizedPath(const std::filesystem::path& url) {
    const std::string& text = url.native();
    if (!text.empty() && text.front() == '/')
        return PathRules::standardized(text);
    std::error_code error;
    std::filesystem::path cwd = std::filesystem::current_path(error);
    return PathRules::standardized(PathRules::appendingPathComponent(error ? "/" : cwd.native(), text));
}

std::vector<std::string> components(const std::string& standardized) {
    std::vector<std::string> parts;
    if (standardized.starts_with('/'))
        parts.emplace_back("/");
    std::size_t start = 0;
    while (start < standardized.size()) {
        std::size_t end = standardized.find('/', start);
        if (end == std::string::npos)
            end = standardized.size();
        if (end > start)
            parts.push_back(standardized.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

bool allowedInURLPath(unsigned char c) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
        return true;
    return std::string_view("!$&'()*+,-./:=@_~").find(static_cast<char>(c)) != std::string_view::npos;
}

std::string percentEncodedPath(std::string_view path) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(path.size());
    for (char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (allowedInURLPath(byte)) {
            out += c;
        } else {
            out += '%';
            out += hex[byte >> 4];
            out += hex[byte & 0xF];
        }
    }
    return out;
}

template <class Transform>
std::string joinLines(const std::vector<std::filesystem::path>& urls, Transform transform) {
    std::string out;
    for (std::size_t i = 0; i < urls.size(); ++i) {
        if (i > 0)
            out += '\n';
        out += transform(urls[i]);
    }
    return out;
}

} // namespace

std::string PathFormatter::format(const std::filesystem::path& url, PathFormat format,
                                  const std::optional<std::filesystem::path>& base) {
    const std::string path = standardizedPath(url);
    switch (format) {
    case PathFormat::posix:
        return path;
    case PathFormat::relative:
        return base ? relativePath(path, *base) : path;
    case PathFormat::fileURL:
        return fileURLString(url);
    case PathFormat::quoted:
        return shellQuoted(path);
    case PathFormat::name:
        return PathRules::lastPathComponent(path);
    case PathFormat::nameWithoutExtension:
        return PathRules::nameWithoutExtension(path);
    case PathFormat::parentDirectory:
        return PathRules::deletingLastPathComponent(path);
    }
    return path;
}

std::string PathFormatter::formatMultiple(const std::vector<std::filesystem::path>& urls, PathFormat format,
                                          const std::optional<std::filesystem::path>& base) {
    return joinLines(
        urls, [&](const std::filesystem::path& url) { return PathFormatter::format(url, format, base); });
}

std::string PathFormatter::relativePath(const std::filesystem::path& target,
                                        const std::filesystem::path& base) {
    const std::vector<std::string> to = components(standardizedPath(target));
    const std::vector<std::string> from = components(standardizedPath(base));
    std::size_t common = 0;
    while (common < to.size() && common < from.size() && to[common] == from[common])
        ++common;
    std::vector<std::string> parts(from.size() - common, "..");
    parts.insert(parts.end(), to.begin() + static_cast<std::ptrdiff_t>(common), to.end());
    if (parts.empty())
        return ".";
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            out += '/';
        out += parts[i];
    }
    return out;
}

std::string PathFormatter::render(const std::filesystem::path& url, std::string_view pathTemplate) {
    const std::string path = standardizedPath(url);
    const std::string name = PathRules::lastPathComponent(path);
    const std::string stem = PathRules::nameWithoutExtension(path);
    const std::string extension = PathRules::pathExtension(path);
    const std::string parent = PathRules::deletingLastPathComponent(path);
    const std::string urlText = fileURLString(url);
    const std::array<Placeholder, 6> placeholders = {{
        {"{path}", path},
        {"{name}", name},
        {"{name_noext}", stem},
        {"{ext}", extension},
        {"{parent}", parent},
        {"{url}", urlText},
    }};
    return replacePlaceholders(pathTemplate, placeholders);
}

std::string PathFormatter::renderMultiple(const std::vector<std::filesystem::path>& urls,
                                          std::string_view pathTemplate) {
    return joinLines(urls, [&](const std::filesystem::path& url) { return render(url, pathTemplate); });
}

std::string PathFormatter::fileURLString(const std::filesystem::path& url) {
    std::string path = standardizedPath(url);
    // A folder's URL ends with "/"; the caller marks a folder by a trailing "/" on its path.
    if (url.native().ends_with('/') && path != "/")
        path += '/';
    return "file://" + percentEncodedPath(path);
}

std::string PathFormatter::shellQuoted(std::string_view path) {
    std::string out = "'";
    for (char c : path) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    out += '\'';
    return out;
}

} // namespace ondravell
