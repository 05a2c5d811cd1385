#include "platform/glib/GioDesktopOpener.h"

#include "platform/glib/GioURIs.h"

#include <gio/gio.h>
#include <memory>
#include <vector>

namespace ondravell::platform {

namespace {

struct GFreeDeleter {
    void operator()(void* pointer) const { g_free(pointer); }
};
using GString_ = std::unique_ptr<char, GFreeDeleter>;

// Starts a program found on the PATH with exactly these arguments, detached from this process.
bool spawn(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    return g_spawn_async(nullptr, argv.data(), nullptr,
                         GSpawnFlags(G_SPAWN_STDOUT_TO_DEV_NULL | G_SPAWN_STDERR_TO_DEV_NULL), nullptr,
                         nullptr, nullptr, nullptr);
}

void showItemsAnswered(GObject* source, GAsyncResult* result, gpointer data) {
    GString_ folder(static_cast<char*>(data));
    GVariant* reply = g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, nullptr);
    if (reply) {
        g_variant_unref(reply);
        return;
    }
    // No file manager answers on the bus: open the folder that holds the file instead.
    gio::launchDefaultForURI(folder.get());
}

} // namespace

bool GioDesktopOpener::openURI(const std::string& uri) {
    return gio::launchDefaultForURI(uri);
}

bool GioDesktopOpener::canOpenURI(const std::string& uri) {
    GString_ scheme(g_uri_parse_scheme(uri.c_str()));
    if (!scheme)
        return false;
    return gio::schemeHasHandler(scheme.get());
}

void GioDesktopOpener::revealFile(const std::filesystem::path& path) {
    GString_ uri(g_filename_to_uri(path.c_str(), nullptr, nullptr));
    GString_ folder(g_filename_to_uri(path.parent_path().c_str(), nullptr, nullptr));
    if (!uri)
        return;
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (!bus) {
        if (folder)
            gio::launchDefaultForURI(folder.get());
        return;
    }
    const char* uris[] = {uri.get(), nullptr};
    g_dbus_connection_call(bus, "org.freedesktop.FileManager1", "/org/freedesktop/FileManager1",
                           "org.freedesktop.FileManager1", "ShowItems", g_variant_new("(^ass)", uris, ""),
                           nullptr, G_DBUS_CALL_FLAGS_NONE, 5000, nullptr, showItemsAnswered,
                           folder ? folder.release() : g_strdup(uri.get()));
    g_object_unref(bus);
}

bool GioDesktopOpener::lookUpWord(const std::string& word) {
    if (GString_ goldendict(g_find_program_in_path("goldendict")); goldendict)
        return spawn({goldendict.get(), "--", word});
    // The word is the value of the option itself, so a word that starts with "-" stays a word.
    if (GString_ dictionary(g_find_program_in_path("gnome-dictionary")); dictionary)
        return spawn({dictionary.get(), "--look-up=" + word});
    GString_ host(g_uri_escape_string(word.c_str(), "!$&'()*+,;=", TRUE));
    const std::string uri = "dict://" + std::string(host ? host.get() : word.c_str());
    return canOpenURI(uri) && openURI(uri);
}

} // namespace ondravell::platform
