#include "platform/glib/GioContentTypeReader.h"

#include <array>
#include <fcntl.h>
#include <gio/gio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ondravell::platform {

namespace {

// shared-mime-info's magic rules look no further than this into a file.
constexpr std::size_t sniffBytes = 4096;

std::optional<std::string> mimeTypeOf(const char* contentType) {
    if (!contentType)
        return std::nullopt;
    gchar* mimeType = g_content_type_get_mime_type(contentType);
    std::optional<std::string> result;
    if (mimeType)
        result = mimeType;
    g_free(mimeType);
    return result;
}

// By name and first bytes, read from the descriptor that was checked to be a regular file.
std::optional<std::string> guessRegular(int descriptor, const std::filesystem::path& path) {
    std::array<char, sniffBytes> head{};
    ssize_t count = ::read(descriptor, head.data(), head.size());
    if (count < 0)
        return std::nullopt;
    gchar* type = g_content_type_guess(path.filename().c_str(), reinterpret_cast<const guchar*>(head.data()),
                                       static_cast<gsize>(count), nullptr);
    std::optional<std::string> result = mimeTypeOf(type);
    g_free(type);
    return result;
}

// Folders, FIFOs, devices and sockets by their kind alone; GIO opens none of them.
std::optional<std::string> kindOf(const std::filesystem::path& path) {
    GFile* file = g_file_new_for_path(path.c_str());
    GFileInfo* info = g_file_query_info(file, G_FILE_ATTRIBUTE_STANDARD_CONTENT_TYPE, G_FILE_QUERY_INFO_NONE,
                                        nullptr, nullptr);
    g_object_unref(file);
    if (!info)
        return std::nullopt;
    std::optional<std::string> result = mimeTypeOf(g_file_info_get_content_type(info));
    g_object_unref(info);
    return result;
}

} // namespace

std::optional<std::string> GioContentTypeReader::contentType(const std::filesystem::path& path) const {
    int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (descriptor < 0)
        return kindOf(path);
    struct stat info {};
    std::optional<std::string> result;
    if (::fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode))
        result = guessRegular(descriptor, path);
    else
        result = kindOf(path);
    ::close(descriptor);
    return result;
}

} // namespace ondravell::platform
