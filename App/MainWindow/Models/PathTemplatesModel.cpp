#include "App/MainWindow/Models/PathTemplatesModel.h"

#include "App/MainWindow/Models/SpaceTrim.h"
#include "core/Support/Uuid.h"

namespace ondravell {

bool PathTemplatesModel::canAdd() const {
    return templates_.size() < limit && !trimmingSpacesAndTabs(newName).empty() &&
           !trimmingSpacesAndTabs(newTemplate).empty();
}

void PathTemplatesModel::add() {
    templates_.push_back(
        {makeUUIDString(), trimmingSpacesAndTabs(newName), trimmingSpacesAndTabs(newTemplate)});
    persist([this] {
        newName.clear();
        newTemplate.clear();
    });
}

void PathTemplatesModel::remove(const std::string& id) {
    std::erase_if(templates_, [&](const PathTemplate& entry) { return entry.id == id; });
    persist();
}

void PathTemplatesModel::read(const OndravellSettings& settings) {
    templates_ = settings.customPathTemplates;
}

void PathTemplatesModel::write(OndravellSettings& settings) const {
    settings.customPathTemplates = templates_;
}

} // namespace ondravell
