#include "App/MainWindow/SettingsWindowController.h"

#include "App/History/HistoryView.h"
#include "App/MainWindow/SettingsWindow.h"

namespace ondravell {

SettingsWindowController& SettingsWindowController::shared() {
    // Never destroyed: its window must not outlive the application object in a static destructor.
    static SettingsWindowController* controller = new SettingsWindowController;
    return *controller;
}

void SettingsWindowController::show(std::optional<SettingsNavigation::Section> section) {
    if (!window_) {
        window_ = std::make_unique<SettingsWindow>();
        if (historyActions_)
            window_->setPage(SettingsNavigation::Section::history, new HistoryView(*historyActions_));
    }
    if (section)
        window_->select(*section);
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
