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

void TemplatesModel::save(const FileTemplate& fileTemplate) {
    auto found = std::ranges::find(custom_, fileTemplate.id, &FileTemplate::id);
    if (found != custom_.end())
        *found = fileTemplate;
    else
        custom_.push_back(fileTemplate);
    storeCustom();
}

void TemplatesModel::remove(const FileTemplate& fileTemplate) {
    if (fileTemplate.customIconFilename)
        TemplateIconStore(TemplateStore::appGroupID).remove(*fileTemplate.customIconFilename);
    std::erase_if(custom_, [&](const FileTemplate& entry) { return entry.id == fileTemplate.id; });
    storeCustom();
}

void TemplatesModel::storeCustom() {
    // Like the settings, the user's list is only ever replaced after the page showed what it holds.
    if (!isLoaded())
        return;
    reportSave(store_.saveCustom(custom_));
    load();
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
