#include "tests/Extensions/FinderSync/FakeFileInfo.h"

#include <nautilus-extension.h>

struct _HarnessFileInfo {
    GObject parent_instance;
    GFile* location;
    gboolean isDirectory;
};

namespace {

HarnessFileInfo* self(NautilusFileInfo* info) {
    return HARNESS_FILE_INFO(info);
}

gboolean isGone(NautilusFileInfo*) {
    return FALSE;
}
char* getName(NautilusFileInfo* info) {
    return g_file_get_basename(self(info)->location);
}
char* getURI(NautilusFileInfo* info) {
    return g_file_get_uri(self(info)->location);
}
char* getURIScheme(NautilusFileInfo* info) {
    return g_file_get_uri_scheme(self(info)->location);
}
char* getParentURI(NautilusFileInfo* info) {
    GFile* parent = g_file_get_parent(self(info)->location);
    char* uri = parent ? g_file_get_uri(parent) : g_strdup("");
    if (parent)
        g_object_unref(parent);
    return uri;
}
gboolean isDirectory(NautilusFileInfo* info) {
    return self(info)->isDirectory;
}
GFileType getFileType(NautilusFileInfo* info) {
    return self(info)->isDirectory ? G_FILE_TYPE_DIRECTORY : G_FILE_TYPE_REGULAR;
}
GFile* getLocation(NautilusFileInfo* info) {
    return G_FILE(g_object_ref(self(info)->location));
}
GFile* getParentLocation(NautilusFileInfo* info) {
    return g_file_get_parent(self(info)->location);
}
char* getMimeType(NautilusFileInfo* info) {
    return g_strdup(self(info)->isDirectory ? "inode/directory" : "application/octet-stream");
}

void fileInfoInterfaceInit(NautilusFileInfoInterface* iface) {
    iface->is_gone = isGone;
    iface->get_name = getName;
    iface->get_uri = getURI;
    iface->get_parent_uri = getParentURI;
    iface->get_uri_scheme = getURIScheme;
    iface->get_mime_type = getMimeType;
    iface->is_directory = isDirectory;
    iface->get_activation_uri = getURI;
    iface->get_file_type = getFileType;
    iface->get_location = getLocation;
    iface->get_parent_location = getParentLocation;
}

} // namespace

G_DEFINE_TYPE_WITH_CODE(HarnessFileInfo, harness_file_info, G_TYPE_OBJECT,
                        G_IMPLEMENT_INTERFACE(NAUTILUS_TYPE_FILE_INFO, fileInfoInterfaceInit))

static void harness_file_info_init(HarnessFileInfo*) {}

static void harness_file_info_finalize(GObject* object) {
    g_clear_object(&HARNESS_FILE_INFO(object)->location);
    G_OBJECT_CLASS(harness_file_info_parent_class)->finalize(object);
}

static void harness_file_info_class_init(HarnessFileInfoClass* klass) {
    G_OBJECT_CLASS(klass)->finalize = harness_file_info_finalize;
}

HarnessFileInfo* makeFileInfo(const char* uri, bool isDirectory) {
    auto* info = HARNESS_FILE_INFO(g_object_new(HARNESS_TYPE_FILE_INFO, nullptr));
    info->location = g_file_new_for_uri(uri);
    info->isDirectory = isDirectory;
    return info;
}

HarnessFileInfo* makeFileInfo(const std::filesystem::path& path) {
    auto* info = HARNESS_FILE_INFO(g_object_new(HARNESS_TYPE_FILE_INFO, nullptr));
    info->location = g_file_new_for_path(path.c_str());
    info->isDirectory = std::filesystem::is_directory(path);
    return info;
}
