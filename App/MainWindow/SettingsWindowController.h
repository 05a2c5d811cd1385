#pragma once

#include "App/MainWindow/SettingsNavigation.h"
#include "App/MainWindow/SettingsPages.h"

#include <memory>
#include <optional>

class QWidget;

namespace ondravell {

class HistoryActions;
class SettingsWindow;

// The settings window's single controller and the navigation state every caller shares. Main thread
// only.
class SettingsWindowController {
public:
    static SettingsWindowController& shared();

    // The services of the window and its pages; the composition root sets them before the first
    // `show`, which does nothing without them.
    void setServices(SettingsPageServices services);

    // Creates the window on first use, selects `section` when given (recorded in the back and forward
    // navigation) or keeps the page shown, sizes the window, and brings it to the front with keyboard
    // focus, restoring it when it was minimised.
    void show(std::optional<SettingsNavigation::Section> section = std::nullopt);

    // What the history page works with; set once at launch, before the first `show`.
    void setHistoryActions(const HistoryActions& actions) { historyActions_ = &actions; }

    // The window, once `show` made it; closing it only hides it.
    QWidget* window() const;
    std::optional<SettingsNavigation::Section> currentSection() const;
    SettingsNavigation& navigation() { return navigation_; }

private:
    SettingsWindowController() = default;
    SettingsNavigation navigation_;
    std::optional<SettingsPageServices> services_;
    std::unique_ptr<SettingsWindow> window_;
    const HistoryActions* historyActions_ = nullptr;
};

} // namespace ondravell
