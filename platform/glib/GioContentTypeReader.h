#pragma once

#include "platform/ContentTypeReader.h"

namespace ondravell::platform {

// The MIME type shared-mime-info gives the file, through GIO: special files by their kind, regular
// files by name and, where the name leaves it open, their first bytes.
class GioContentTypeReader final : public ContentTypeReader {
public:
    std::optional<std::string> contentType(const std::filesystem::path& path) const override;
};

} // namespace ondravell::platform
