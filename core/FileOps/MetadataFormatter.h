#pragma once

#include "core/FileOps/FileMetadata.h"

#include <string>

namespace ondravell {

// The short description that copy-metadata puts on the clipboard: name, type, size, pixel size and
// dates, one localised line each, lines without data left out, joined by line feeds.
struct MetadataFormatter {
    static std::string format(const FileMetadata& metadata);
};

} // namespace ondravell
