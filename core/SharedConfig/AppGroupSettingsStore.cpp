#include "core/SharedConfig/AppGroupSettingsStore.h"

#include "core/SharedConfig/OndravellSettings.h"
#include "core/Support/AtomicFile.h"
#include "core/Support/RestrictWarning.h"
#include "core/Support/UnicodeText.h"
#include "core/Support/Uuid.h"
#include "platform/AppGroupContainer.h"

#include <sys/stat.h>
#include <unistd.h>

namespace ondravell {

std::optional<std::filesystem::path> AppGroupSettingsStore::fileURLFor(std::string_view appGroupID) {
    auto container = platform::appGroupContainerURL(appGroupID);
    if (!container)
        return std::nullopt;
    return *container / folderName / fileName;
}

std::shared_ptr<AppGroupSettingsStore> AppGroupSettingsStore::make(std::string_view appGroupID) {
    auto fileURL = fileURLFor(appGroupID);
    if (!fileURL)
        return nullptr;
    std::error_code ignored;
    std::filesystem::create_directories(fileURL->parent_path(), ignored);
    return std::make_shared<AppGroupSettingsStore>(std::move(*fileURL));
}

std::filesystem::path AppGroupSettingsStore::corruptCopyURL() const {
    auto copy = fileURL_;
    copy += corruptCopySuffix;
    return copy;
}

std::optional<std::string> AppGroupSettingsStore::loadData() {
    auto bytes = readRegularFile(fileURL_, maxFileBytes);
    if (!bytes || bytes->size() > maxFileBytes)
        return std::nullopt;
    return bytes;
}

bool AppGroupSettingsStore::save(std::string_view data) {
    if (!keepFileThatDoesNotLoad())
        return false;
    return writeFileAtomically(fileURL_, data);
}

// A settings file that exists but does not load reads as the default record, and the next save would
// replace it whole, losing every setting in it: a hand edit gone wrong, a file from a newer version with
// values this one does not know, a file whose permissions were changed, or one grown past the read
// limit. Before that save the file goes to the ".corrupt" copy. The rule is: every save that is about
// to replace a file that does not load keeps it first, replacing an earlier copy. As that save leaves a
// readable file behind, each such file is kept once, and the copy holds the most recent settings that
// could not be read. Blank files hold nothing worth keeping and are not copied. When the copy cannot be
// made the save is dropped, like any failed write: the user's older settings weigh more than this one
// change.
bool AppGroupSettingsStore::keepFileThatDoesNotLoad() {
    struct stat info {};
    if (::stat(fileURL_.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return true;
    auto current = loadData();
    if (current &&
        (OndravellSettings::decode(*current) || UnicodeText::trimmingWhitespaceAndNewlines(*current).empty()))
        return true;
    return linkCorruptCopy() || (current && writeFileAtomically(corruptCopyURL(), *current));
}

// The file itself becomes the copy, with its bytes and permissions as they were: a second name for it,
// made under a fresh name and renamed over the earlier copy. Needs no permission to read the file and
// copies nothing, however large it is.
bool AppGroupSettingsStore::linkCorruptCopy() const {
    const std::filesystem::path copy = corruptCopyURL();
    std::filesystem::path fresh = copy;
    // A false overlap warning of GCC 12 (see RestrictWarning.h).
    ONDRAVELL_IGNORE_RESTRICT_BEGIN
    fresh += "." + makeUUIDString();
    ONDRAVELL_IGNORE_RESTRICT_END
    if (::link(fileURL_.c_str(), fresh.c_str()) != 0)
        return false;
    if (::rename(fresh.c_str(), copy.c_str()) == 0)
        return true;
    ::unlink(fresh.c_str());
    return false;
}

} // namespace ondravell
