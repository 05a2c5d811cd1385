#include "core/FileOps/TemplateIconStore.h"

#include "core/FileOps/FileCreator.h"
#include "core/FileOps/TemplateStore.h"
#include "core/Support/AtomicFile.h"
#include "platform/AppGroupContainer.h"

namespace ondravell {

TemplateIconStore::TemplateIconStore(std::string_view appGroupID) {
    if (auto container = platform::appGroupContainerURL(appGroupID))
        directory = *container / TemplateStore::supportFolder / folderName;
}

std::optional<std::filesystem::path> TemplateIconStore::iconURL(std::string_view filename) const {
    if (!directory || !FileCreator::isPlainFileName(filename))
        return std::nullopt;
    return *directory / filename;
}

bool TemplateIconStore::save(std::string_view data, std::string_view filename) const {
    auto url = iconURL(filename);
    if (!url)
        return false;
    std::error_code error;
    std::filesystem::create_directories(*directory, error);
    return writeFileAtomically(*url, data);
}

void TemplateIconStore::remove(std::string_view filename) const {
    auto url = iconURL(filename);
    if (!url)
        return;
    std::error_code error;
    std::filesystem::remove(*url, error);
}

} // namespace ondravell
