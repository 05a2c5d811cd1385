#pragma once

#include "core/FileOps/FileTemplate.h"
#include "core/SharedConfig/OndravellSettings.h"
#include "core/Support/FileIdentity.h"

#include <cstddef>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>
#include <vector>

namespace ondravell {

// The settings and the user's templates as the module last parsed them. Every reader asks again, so a
// change made in the application's settings window shows at the next right-click; a file is read and
// parsed again only when its identity changed, so a right-click costs one stat per file. Safe to use
// from the host's thread and the workers at once.
class SharedFileCache {
public:
    // A larger templates file reads as undecodable without being read: parsing it would stall the file
    // manager at every right-click.
    static constexpr std::size_t maxTemplatesFileBytes = 8 * 1024 * 1024;

    // The settings and templates files of the shared container, wherever it is when the cache is made.
    SharedFileCache();
    // nullopt for a file that does not exist anywhere: the defaults, or no user templates.
    SharedFileCache(std::optional<std::filesystem::path> settingsFile,
                    std::optional<std::filesystem::path> templatesFile);

    // The stored record, or the default one when there is none or it does not decode.
    OndravellSettings settings() const;
    // The user's templates in file order; empty without a file or when it does not decode.
    std::vector<FileTemplate> customTemplates() const;

private:
    template <typename Value> struct Entry {
        std::optional<std::filesystem::path> file;
        std::size_t maxBytes = 0;
        mutable std::mutex mutex;
        mutable std::optional<FileIdentity> identity;
        mutable std::shared_ptr<const Value> value;
    };
    template <typename Value, typename Decode>
    static std::shared_ptr<const Value> current(const Entry<Value>& entry, Decode decode);

    Entry<OndravellSettings> settings_;
    Entry<std::vector<FileTemplate>> templates_;
};

} // namespace ondravell
