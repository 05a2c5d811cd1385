#pragma once

#include "platform/ContentTypeReader.h"

#include <map>

namespace ondravell::platform {

// Content types for tests: the type given for a path, nothing for any other.
class FixedContentTypeReader final : public ContentTypeReader {
public:
    std::map<std::filesystem::path, std::string> types;

    std::optional<std::string> contentType(const std::filesystem::path& path) const override {
        auto found = types.find(path);
        return found == types.end() ? std::nullopt : std::optional<std::string>(found->second);
    }
};

} // namespace ondravell::platform
