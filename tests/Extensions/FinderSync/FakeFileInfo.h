#pragma once

#include <filesystem>
#include <glib-object.h>

G_BEGIN_DECLS

// A file as Nautilus hands it to menu providers: just enough of NautilusFileInfo for the module
// (location, scheme, name, type), made from a location without asking Nautilus.
#define HARNESS_TYPE_FILE_INFO (harness_file_info_get_type())
G_DECLARE_FINAL_TYPE(HarnessFileInfo, harness_file_info, HARNESS, FILE_INFO, GObject)

G_END_DECLS

// A new reference to a file info for `uri` ("file:///tmp/a", "trash:///x").
HarnessFileInfo* makeFileInfo(const char* uri, bool isDirectory);
HarnessFileInfo* makeFileInfo(const std::filesystem::path& path);
