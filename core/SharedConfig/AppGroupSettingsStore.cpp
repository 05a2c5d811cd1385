#include "core/SharedConfig/AppGroupSettingsStore.h"

#include "core/SharedConfig/OndravellSettings.h"
#include "core/Support/AtomicFile.h"
#include "core/Support/UnicodeText.h"
#include "platform/AppGroupContainer.h"

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

void AppGroupSettingsStore::save(std::string_view data) {
    if (!keepUndecodableFile())
        return;
    writeFileAtomically(fileURL_, data);
}

// A settings file that exists but does not decode reads as the default record, and the next save
// would replace it whole, losing every setting in it (a hand edit gone wrong, a file from a newer
// version with values this one does not know). Before that save its bytes go to the ".corrupt" copy.
// The rule is: every save that is about to replace an undecodable file copies it first, replacing an
// earlier copy. As that save leaves a readable file behind, each unreadable file is copied once, and
// the copy holds the most recent settings that could not be read. Blank files hold nothing worth
// keeping and are not copied. When the copy cannot be written the save is dropped, like any failed
// write: the user's older settings weigh more than this one change.
bool AppGroupSettingsStore::keepUndecodableFile() {
    auto current = loadData();
    if (!current || OndravellSettings::decode(*current))
        return true;
    if (UnicodeText::trimmingWhitespaceAndNewlines(*current).empty())
        return true;
    return writeFileAtomically(corruptCopyURL(), *current);
}

} // namespace ondravell
