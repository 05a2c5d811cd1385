#include "platform/glib/GioTrash.h"

#include <gio/gio.h>

namespace ondravell::platform {

Trash::Result GioTrash::moveToTrash(const std::filesystem::path& path) {
    GFile* file = g_file_new_for_path(path.c_str());
    GError* error = nullptr;
    Result result = Result::trashed;
    if (!g_file_trash(file, nullptr, &error))
        result = g_error_matches(error, G_IO_ERROR, G_IO_ERROR_NOT_SUPPORTED) ? Result::unsupported
                                                                              : Result::failed;
    if (error)
        g_error_free(error);
    g_object_unref(file);
    return result;
}

} // namespace ondravell::platform
