#include "App/MainWindow/Models/SettingsPageModel.h"

namespace ondravell {

SettingsPageModel::SettingsPageModel(SettingsService service) : service_(std::move(service)) {}

void SettingsPageModel::load() {
    read(service_.load());
    loaded_ = true;
    changed();
}

bool SettingsPageModel::persist(const std::function<void()>& whenSaved) {
    // A view that redraws sets its widgets, and some widgets report that as an edit: such reports
    // must not write, nor may anything before the page showed the file's contents.
    if (!loaded_ || notifying_)
        return false;
    OndravellSettings settings = service_.load();
    write(settings);
    const bool saved = service_.save(settings);
    reportSave(saved);
    if (!saved)
        read(service_.load());
    else if (whenSaved)
        whenSaved();
    changed();
    return saved;
}

void SettingsPageModel::reportSave(bool saved) const {
    if (saveObserver_)
        saveObserver_(saved);
}

void SettingsPageModel::changed() {
    if (!observer_ || notifying_)
        return;
    notifying_ = true;
    observer_();
    notifying_ = false;
}

} // namespace ondravell
