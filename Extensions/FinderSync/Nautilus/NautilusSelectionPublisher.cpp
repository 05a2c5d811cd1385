#include "Extensions/FinderSync/Nautilus/NautilusSelectionPublisher.h"

#include "platform/glib/DBusFileManagerSelections.h"

#include <algorithm>
#include <gtk/gtk.h>
#include <optional>
#include <utility>

namespace ondravell::nautilus {

namespace {

using Bus = platform::DBusFileManagerSelections;

constexpr const char* introspection =
    "<node>"
    "  <interface name='K3WQ9ZD7TM.dev.ondravell.FileManagerSelection'>"
    "    <property name='Windows' type='a(ssas)' access='read'>"
    "      <annotation name='org.freedesktop.DBus.Property.EmitsChangedSignal'"
    "                  value='invalidates'/>"
    "    </property>"
    "  </interface>"
    "</node>";

std::string windowObjectPath(GtkApplication* application, GtkWindow* window) {
    const gchar* base = g_application_get_dbus_object_path(G_APPLICATION(application));
    if (!base || !GTK_IS_APPLICATION_WINDOW(window))
        return {};
    const guint id = gtk_application_window_get_id(GTK_APPLICATION_WINDOW(window));
    return id ? std::string(base) + "/window/" + std::to_string(id) : std::string();
}

GVariant* getProperty(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar* property,
                      GError** error, gpointer data) {
    if (g_strcmp0(property, Bus::propertyName) != 0) {
        g_set_error(error, G_DBUS_ERROR, G_DBUS_ERROR_UNKNOWN_PROPERTY, "No such property");
        return nullptr;
    }
    GVariantBuilder builder;
    g_variant_builder_init(&builder, G_VARIANT_TYPE("a(ssas)"));
    try {
        for (const auto& window : static_cast<NautilusSelectionPublisher*>(data)->windows()) {
            GVariantBuilder uris;
            g_variant_builder_init(&uris, G_VARIANT_TYPE("as"));
            for (const std::string& uri : window.selectedURIs)
                g_variant_builder_add(&uris, "s", uri.c_str());
            g_variant_builder_add(&builder, "(ssas)", window.objectPath.c_str(), window.folderURI.c_str(),
                                  &uris);
        }
    } catch (...) {
        // Nothing may unwind into GDBus; what was built so far is still a valid answer.
    }
    return g_variant_builder_end(&builder);
}

const GDBusInterfaceVTable vtable = {nullptr, getProperty, nullptr, {}};

void onWindowRemoved(GtkApplication* application, GtkWindow* window, gpointer data) {
    try {
        static_cast<NautilusSelectionPublisher*>(data)->windowRemoved(windowObjectPath(application, window));
    } catch (...) {
        // A closed window's entry that stays only answers for a window nobody can ask about.
    }
}

// URIs travel as D-Bus strings, which must be UTF-8; Nautilus's URIs are escaped ASCII.
bool isValid(const std::string& uri) {
    return g_utf8_validate(uri.data(), gssize(uri.size()), nullptr);
}

// An object property of `object` named `name` whose values are of `type`; nullptr when there is none.
GObject* objectProperty(gpointer object, const char* name, GType type) {
    GParamSpec* property = g_object_class_find_property(G_OBJECT_GET_CLASS(object), name);
    if (!property || !g_type_is_a(property->value_type, type))
        return nullptr;
    GObject* value = nullptr;
    g_object_get(object, name, &value, nullptr);
    return value;
}

// The object paths of the application's windows whose current tab shows `folderURI`. nullopt when a
// window does not say what it shows: Nautilus's window names its current tab "active-slot", and the tab
// its folder "location".
std::optional<std::vector<std::string>> windowsShowing(GtkApplication* application,
                                                       const std::string& folderURI) {
    std::vector<std::string> showing;
    GFile* folder = g_file_new_for_uri(folderURI.c_str());
    bool told = true;
    for (GList* node = gtk_application_get_windows(application); node && told; node = node->next) {
        std::string path = windowObjectPath(application, GTK_WINDOW(node->data));
        if (path.empty())
            continue;
        GObject* slot = objectProperty(node->data, "active-slot", G_TYPE_OBJECT);
        GObject* location = slot ? objectProperty(slot, "location", G_TYPE_FILE) : nullptr;
        told = location != nullptr;
        if (location && g_file_equal(G_FILE(location), folder))
            showing.push_back(std::move(path));
        g_clear_object(&location);
        g_clear_object(&slot);
    }
    g_object_unref(folder);
    return told ? std::optional(std::move(showing)) : std::nullopt;
}

// Whether every selected item lies in the folder (or, in a list view's expanded rows, below it).
bool liesIn(const std::vector<std::string>& uris, const std::string& folderURI) {
    const std::string prefix = folderURI.ends_with('/') ? folderURI : folderURI + "/";
    return std::all_of(uris.begin(), uris.end(),
                       [&](const std::string& uri) { return uri.starts_with(prefix); });
}

} // namespace

NautilusSelectionPublisher::~NautilusSelectionPublisher() {
    if (application_) {
        g_signal_handler_disconnect(application_, windowRemovedHandler_);
        g_object_unref(application_);
    }
    if (connection_) {
        if (registration_)
            g_dbus_connection_unregister_object(connection_, registration_);
        g_object_unref(connection_);
    }
}

void NautilusSelectionPublisher::selectionChanged(std::vector<std::string> uris) {
    std::erase_if(uris, [](const std::string& uri) { return !isValid(uri); });
    pendingSelection_ = std::move(uris);
}

void NautilusSelectionPublisher::folderShown(std::string uri) {
    std::optional<std::vector<std::string>> selection = std::exchange(pendingSelection_, std::nullopt);
    GtkApplication* application = exportedApplication();
    if (!application || uri.empty())
        return;
    std::optional<std::vector<std::string>> showing = windowsShowing(application, uri);
    if (!showing) {
        if (!windows_.empty()) {
            windows_.clear();
            announceChange();
        }
        return;
    }
    // A selection outside the folder was not that view's: the pair cannot be told apart either.
    if (showing->size() != 1 || (selection && !liesIn(*selection, uri))) {
        withdraw(*showing);
        return;
    }
    Window& window = entry(showing->front());
    window.folderURI = isValid(uri) ? std::move(uri) : std::string();
    if (selection)
        window.selectedURIs = std::move(*selection);
    announceChange();
}

void NautilusSelectionPublisher::windowRemoved(const std::string& objectPath) {
    withdraw({objectPath});
}

void NautilusSelectionPublisher::withdraw(const std::vector<std::string>& objectPaths) {
    const std::size_t before = windows_.size();
    std::erase_if(windows_, [&](const Window& window) {
        return std::find(objectPaths.begin(), objectPaths.end(), window.objectPath) != objectPaths.end();
    });
    if (windows_.size() != before)
        announceChange();
}

GtkApplication* NautilusSelectionPublisher::exportedApplication() {
    GApplication* running = g_application_get_default();
    if (!running || !GTK_IS_APPLICATION(running))
        return nullptr;
    exportIfNeeded(GTK_APPLICATION(running));
    return application_ == GTK_APPLICATION(running) ? application_ : nullptr;
}

NautilusSelectionPublisher::Window& NautilusSelectionPublisher::entry(const std::string& objectPath) {
    auto it = std::find_if(windows_.begin(), windows_.end(),
                           [&](const Window& w) { return w.objectPath == objectPath; });
    if (it == windows_.end())
        windows_.insert(windows_.begin(), Window{objectPath, {}, {}});
    else
        std::rotate(windows_.begin(), it, it + 1);
    return windows_.front();
}

void NautilusSelectionPublisher::exportIfNeeded(GtkApplication* application) {
    if (application_)
        return;
    // The application's connection exists once it registered, which it did before any window showed.
    GDBusConnection* connection = g_application_get_dbus_connection(G_APPLICATION(application));
    if (!connection)
        return;
    application_ = GTK_APPLICATION(g_object_ref(application));
    windowRemovedHandler_ =
        g_signal_connect(application, "window-removed", G_CALLBACK(onWindowRemoved), this);
    connection_ = G_DBUS_CONNECTION(g_object_ref(connection));
    if (GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(introspection, nullptr)) {
        registration_ = g_dbus_connection_register_object(connection_, Bus::objectPath, node->interfaces[0],
                                                          &vtable, this, nullptr, nullptr);
        g_dbus_node_info_unref(node);
    }
}

void NautilusSelectionPublisher::announceChange() {
    if (!registration_)
        return;
    // Queued for the connection's worker thread; nothing waits here.
    const gchar* invalidated[] = {Bus::propertyName, nullptr};
    g_dbus_connection_emit_signal(
        connection_, nullptr, Bus::objectPath, "org.freedesktop.DBus.Properties", "PropertiesChanged",
        g_variant_new("(sa{sv}^as)", Bus::interfaceName, nullptr, invalidated), nullptr);
}

} // namespace ondravell::nautilus
