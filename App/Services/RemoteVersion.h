#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ondravell {

// The update document "/version.json": {"version": "1.4.2", "url": "<download page>", "notes": "..."}.
struct RemoteVersion {
    // The document is a few hundred bytes; a larger answer is not ours.
    static constexpr std::size_t maxDocumentBytes = 64 * 1024;

    std::string version;
    std::string url;
    std::optional<std::string> notes;

    bool operator==(const RemoteVersion&) const = default;

    // `version` and `url` are required strings, `notes` an optional string; unknown keys are ignored.
    static std::optional<RemoteVersion> decode(std::string_view bytes);
};

} // namespace ondravell
