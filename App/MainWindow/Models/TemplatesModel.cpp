#include "App/MainWindow/Models/TemplatesModel.h"

#include "App/MainWindow/Models/CollectionMove.h"
#include "core/FileOps/TemplateIconStore.h"

#include <algorithm>

namespace ondravell {

bool TemplatesModel::isCustom(const std::string& id) const {
    return std::ranges::any_of(custom_, [&](const FileTemplate& entry) { return entry.id == id; });
}

void TemplatesModel::setShown(const std::string& id, bool shown) {
    if (shown)
        disabledIDs_.erase(id);
    else
        disabledIDs_.insert(id);
    changed_ = Field::hidden;
    persist();
}

void TemplatesModel::moveRows(const std::set<std::size_t>& sources, std::size_t destination) {
    moveElements(ordered_, sources, destination);
    changed_ = Field::order;
    persist();
}

void TemplatesModel::moveRow(std::size_t index, int distance) {
    if (!moveElement(ordered_, index, distance))
        return;
    changed_ = Field::order;
    persist();
}

bool TemplatesModel::save(const FileTemplate& fileTemplate) {
    std::optional<std::string> before;
    std::optional<std::string> after = fileTemplate.customIconFilename;
    auto found = std::ranges::find(custom_, fileTemplate.id, &FileTemplate::id);
    if (found != custom_.end()) {
        before = found->customIconFilename;
        *found = fileTemplate;
    } else {
        custom_.push_back(fileTemplate);
    }
    if (before == after)
        return storeCustom(std::nullopt, std::nullopt);
    return storeCustom(std::move(before), std::move(after));
}

void TemplatesModel::remove(const FileTemplate& fileTemplate) {
    std::optional<std::string> icon = fileTemplate.customIconFilename;
    const std::string id = fileTemplate.id;
    std::erase_if(custom_, [&](const FileTemplate& entry) { return entry.id == id; });
    storeCustom(std::move(icon), std::nullopt);
}

bool TemplatesModel::storeCustom(std::optional<std::string> dropped, std::optional<std::string> written) {
    // Like the settings, the user's list is only ever replaced after the page showed what it holds.
    const bool saved = isLoaded() && store_.saveCustom(custom_);
    if (isLoaded()) {
        reportSave(saved);
        load();
    }
    // `custom_` now holds the list in the file (none before the first load).
    const std::optional<std::string>& unused = saved ? dropped : written;
    if (unused && std::ranges::none_of(
                      custom_, [&](const FileTemplate& entry) { return entry.customIconFilename == unused; }))
        TemplateIconStore(TemplateStore::appGroupID).remove(*unused);
    return saved;
}

void TemplatesModel::read(const OndravellSettings& settings) {
    custom_ = store_.loadCustom();
    disabledIDs_ = {settings.newFileDisabledTemplateIDs.begin(), settings.newFileDisabledTemplateIDs.end()};
    std::vector<FileTemplate> all = FileTemplate::builtins();
    all.insert(all.end(), custom_.begin(), custom_.end());
    ordered_ = orderedTemplates(all, settings.newFileTemplateOrder);
}

void TemplatesModel::write(OndravellSettings& settings) const {
    switch (changed_) {
    case Field::order:
        settings.newFileTemplateOrder.clear();
        for (const FileTemplate& entry : ordered_)
            settings.newFileTemplateOrder.push_back(entry.id);
        break;
    case Field::hidden:
        settings.newFileDisabledTemplateIDs.assign(disabledIDs_.begin(), disabledIDs_.end());
        break;
    }
}

} // namespace ondravell
