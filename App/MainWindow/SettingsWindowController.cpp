#include "App/MainWindow/SettingsWindowController.h"

#include "App/MainWindow/SettingsWindow.h"

namespace ondravell {

SettingsWindowController& SettingsWindowController::shared() {
    // Never destroyed: its window must not outlive the application object in a static destructor.
    static SettingsWindowController* controller = new SettingsWindowController;
    return *controller;
}

void SettingsWindowController::setServices(SettingsPageServices services) {
    services_.emplace(services);
}

void SettingsWindowController::show(std::optional<SettingsNavigation::Section> section) {
    if (section)
        navigation_.setSelection(*section);
    if (!services_)
        return;
    bool isNew = !window_;
    if (isNew) {
        SettingsPageServices services = *services_;
        services.historyActions = historyActions_;
        window_ = std::make_unique<SettingsWindow>(navigation_, services);
    }
    window_->applyPreferredSize(isNew);
    // A minimised window comes back as it was before, maximised or not; showing alone leaves it an icon.
    window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
    window_->show();
    window_->raise();
    window_->activateWindow();
}

QWidget* SettingsWindowController::window() const {
    return window_.get();
}

std::optional<SettingsNavigation::Section> SettingsWindowController::currentSection() const {
    if (!window_)
        return std::nullopt;
    return window_->current();
}

} // namespace ondravell
