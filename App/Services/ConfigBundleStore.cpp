#include "App/Services/ConfigBundleStore.h"

#include "core/FileOps/FileCreator.h"
#include "core/SharedConfig/AppGroupSettingsStore.h"
#include "core/SharedConfig/JsonRecord.h"
#include "core/Support/AtomicFile.h"
#include "core/Support/Base64.h"
#include "core/Support/StrictJson.h"
#include "core/Support/UnicodeText.h"
#include "core/Support/Uuid.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ondravell {

namespace {

bool settingsFileLoads(const std::filesystem::path& file) {
    auto bytes = readRegularFile(file, AppGroupSettingsStore::maxFileBytes);
    if (!bytes)
        return true; // nothing there to keep
    return bytes->size() <= AppGroupSettingsStore::maxFileBytes &&
           (OndravellSettings::decode(*bytes) || UnicodeText::trimmingWhitespaceAndNewlines(*bytes).empty());
}

bool flushToDisk(const std::filesystem::path& file) {
    int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return false;
    bool flushed = ::fsync(fd) == 0;
    return ::close(fd) == 0 && flushed;
}

// Files replaced together: each new file is written beside its target, then all are renamed in. When a
// write or a rename fails, every target renamed so far gets its old file back and every file written
// is removed, so the folders hold what they held before.
class FileSetReplacement {
public:
    // `keepOldAs`: where the file replaced goes instead of away.
    void add(std::filesystem::path target, std::string bytes,
             std::optional<std::filesystem::path> keepOldAs = std::nullopt) {
        entries_.push_back({std::move(target), std::move(bytes), std::move(keepOldAs), {}, {}});
    }

    bool commit() {
        for (Entry& entry : entries_) {
            std::error_code error;
            std::filesystem::create_directories(entry.target.parent_path(), error);
            std::filesystem::path fresh = besideTarget(entry.target, ".new-");
            if (writeNewFile(fresh, entry.bytes)) {
                rollBack();
                return false;
            }
            entry.fresh = fresh;
            // On disk before it replaces anything, so a power cut after the rename cannot leave it empty.
            if (!flushToDisk(fresh)) {
                rollBack();
                return false;
            }
        }
        for (Entry& entry : entries_) {
            // The file it replaces keeps a second name until all are in, so it can be put back.
            std::filesystem::path old = besideTarget(entry.target, ".old-");
            if (::link(entry.target.c_str(), old.c_str()) == 0)
                entry.old = old;
            else if (errno != ENOENT) {
                rollBack();
                return false;
            }
            if (::rename(entry.fresh.c_str(), entry.target.c_str()) != 0) {
                rollBack();
                return false;
            }
            entry.renamed = true;
        }
        for (Entry& entry : entries_)
            if (!entry.old.empty() &&
                !(entry.keepOldAs && ::rename(entry.old.c_str(), entry.keepOldAs->c_str()) == 0))
                ::unlink(entry.old.c_str());
        return true;
    }

private:
    struct Entry {
        std::filesystem::path target;
        std::string bytes;
        std::optional<std::filesystem::path> keepOldAs;
        std::filesystem::path fresh;
        std::filesystem::path old;
        bool renamed = false;
    };

    static std::filesystem::path besideTarget(const std::filesystem::path& target, const char* infix) {
        std::filesystem::path path = target;
        path += infix + makeUUIDString();
        return path;
    }

    void rollBack() {
        for (Entry& entry : entries_) {
            if (entry.renamed) {
                if (entry.old.empty())
                    ::unlink(entry.target.c_str());
                else if (::rename(entry.old.c_str(), entry.target.c_str()) == 0)
                    entry.old.clear();
            } else if (!entry.fresh.empty()) {
                ::unlink(entry.fresh.c_str());
            }
            if (!entry.old.empty())
                ::unlink(entry.old.c_str());
        }
    }

    std::vector<Entry> entries_;
};

} // namespace

ConfigBundleStore::ConfigBundleStore()
    : settingsFile_(AppGroupSettingsStore::make(AppGroupSettingsStore::appGroupID)),
      settings_(settingsFile_),
      templates_(TemplateStore::appGroupID),
      icons_(TemplateStore::appGroupID) {}

ConfigBundleStore::ConfigBundleStore(const std::filesystem::path& container)
    : settingsFile_(std::make_shared<AppGroupSettingsStore>(container / AppGroupSettingsStore::folderName /
                                                            AppGroupSettingsStore::fileName)),
      settings_(settingsFile_),
      templates_(TemplateStore::inContainer(container)),
      icons_(TemplateStore::appGroupID) {
    icons_.directory = container / TemplateStore::supportFolder / TemplateIconStore::folderName;
}

ConfigBundle ConfigBundleStore::current() const {
    ConfigBundle bundle;
    bundle.settings = settings_.load();
    bundle.customTemplates = templates_.loadCustom();
    for (const FileTemplate& fileTemplate : bundle.customTemplates) {
        if (!fileTemplate.customIconFilename)
            continue;
        auto url = icons_.iconURL(*fileTemplate.customIconFilename);
        if (!url)
            continue;
        // Only what a reader takes: an icon it would refuse is left out rather than sent.
        if (auto bytes = readRegularFile(*url, ConfigBundle::maxIconBytes);
            bytes && isAcceptableIconImage(*bytes))
            bundle.icons[*fileTemplate.customIconFilename] = Base64::encode(*bytes);
    }
    return bundle;
}

ConfigBundleStore::ApplyOutcome ConfigBundleStore::apply(const ConfigBundle& bundle) const {
    ApplyOutcome outcome;
    auto settingsBytes = encodeRecord(bundle.settings);
    auto templatesBytes = StrictJson::dump(bundle.toJSON()["customTemplates"]);
    if (!settingsFile_ || !templates_.fileURL() || !icons_.directory || !settingsBytes || !templatesBytes) {
        outcome.complete = false;
        return outcome;
    }
    FileSetReplacement files;
    // A settings file that does not load is kept beside it, as every save of the settings does.
    files.add(settingsFile_->fileURL(), std::move(*settingsBytes),
              settingsFileLoads(settingsFile_->fileURL()) ? std::nullopt
                                                          : std::optional(settingsFile_->corruptCopyURL()));
    files.add(*templates_.fileURL(), std::move(*templatesBytes));
    for (const auto& [name, base64] : bundle.icons) {
        auto bytes = Base64::decode(base64);
        // A name from another machine is only ever a file in the icon folder: "../x" stays out.
        if (!bytes || !FileCreator::isPlainFileName(name)) {
            outcome.skippedIcons.push_back(name);
            continue;
        }
        files.add(*icons_.directory / name, std::move(*bytes));
    }
    outcome.complete = files.commit();
    return outcome;
}

std::optional<double> ConfigBundleStore::lastChange() const {
    std::vector<std::filesystem::path> files;
    if (settingsFile_)
        files.push_back(settingsFile_->fileURL());
    if (templates_.fileURL())
        files.push_back(*templates_.fileURL());
    if (icons_.directory) {
        std::error_code error;
        for (auto it = std::filesystem::directory_iterator(*icons_.directory, error);
             !error && it != std::filesystem::directory_iterator(); it.increment(error))
            files.push_back(it->path());
    }
    std::optional<double> newest;
    for (const std::filesystem::path& file : files) {
        struct stat info {};
        if (::lstat(file.c_str(), &info) != 0)
            continue;
        double at = static_cast<double>(info.st_mtim.tv_sec) + info.st_mtim.tv_nsec / 1e9;
        if (!newest || at > *newest)
            newest = at;
    }
    return newest;
}

std::vector<std::filesystem::path> ConfigBundleStore::watchedFolders() const {
    std::vector<std::filesystem::path> folders;
    if (templates_.fileURL())
        folders.push_back(templates_.fileURL()->parent_path());
    if (icons_.directory)
        folders.push_back(*icons_.directory);
    return folders;
}

} // namespace ondravell
