#include "platform/glib/GioTrash.h"

#include <gio/gio.h>

namespace ondravell::platform {

bool GioTrash::moveToTrash(const std::filesystem::path& path) {
    GFile* file = g_file_new_for_path(path.c_str());
    const bool trashed = g_file_trash(file, nullptr, nullptr);
    g_object_unref(file);
    return trashed;
}

} // namespace ondravell::platform
