#include "Extensions/FinderSync/SharedFileCache.h"

#include "core/FileOps/TemplateStore.h"
#include "core/SharedConfig/AppGroupSettingsStore.h"
#include "core/Support/AtomicFile.h"

namespace ondravell {

namespace {

// The file's bytes, or nullopt when there is none or it is larger than `maxBytes`: a file over the
// bound by its identity is not opened, and one that grew past it since is not read beyond it.
std::optional<std::string> readWithin(const std::optional<std::filesystem::path>& file,
                                      const std::optional<FileIdentity>& identity, std::size_t maxBytes) {
    if (!file || !identity || static_cast<std::uint64_t>(identity->size) > maxBytes)
        return std::nullopt;
    std::optional<std::string> bytes = readRegularFile(*file, maxBytes);
    if (!bytes || bytes->size() > maxBytes)
        return std::nullopt;
    return bytes;
}

} // namespace

SharedFileCache::SharedFileCache()
    : SharedFileCache(AppGroupSettingsStore::fileURLFor(AppGroupSettingsStore::appGroupID),
                      TemplateStore(TemplateStore::appGroupID).fileURL()) {}

SharedFileCache::SharedFileCache(std::optional<std::filesystem::path> settingsFile,
                                 std::optional<std::filesystem::path> templatesFile) {
    settings_.file = std::move(settingsFile);
    settings_.maxBytes = AppGroupSettingsStore::maxFileBytes;
    templates_.file = std::move(templatesFile);
    templates_.maxBytes = maxTemplatesFileBytes;
}

// The identity is taken before the bytes are read: a file replaced in between is parsed under the
// older identity, which the next call sees differ, so it is read again then.
template <typename Value, typename Decode>
std::shared_ptr<const Value> SharedFileCache::current(const Entry<Value>& entry, Decode decode) {
    std::optional<FileIdentity> identity = entry.file ? FileIdentity::of(*entry.file) : std::nullopt;
    {
        std::lock_guard lock(entry.mutex);
        if (entry.value && entry.identity == identity)
            return entry.value;
    }
    auto value = std::make_shared<const Value>(decode(readWithin(entry.file, identity, entry.maxBytes)));
    std::lock_guard lock(entry.mutex);
    entry.identity = identity;
    entry.value = value;
    return value;
}

OndravellSettings SharedFileCache::settings() const {
    return *current(settings_, [](const std::optional<std::string>& bytes) {
        if (!bytes)
            return OndravellSettings::defaultSettings();
        return OndravellSettings::decode(*bytes).value_or(OndravellSettings::defaultSettings());
    });
}

std::vector<FileTemplate> SharedFileCache::customTemplates() const {
    return *current(templates_, [](const std::optional<std::string>& bytes) {
        return bytes ? TemplateStore::decodeCustom(*bytes) : std::vector<FileTemplate>{};
    });
}

} // namespace ondravell
