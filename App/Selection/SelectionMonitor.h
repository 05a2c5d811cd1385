#pragma once

#include "platform/GlobalMouseMonitors.h"

#include <array>
#include <functional>
#include <optional>

namespace ondravell {

namespace platform {
class AccessibilityTrust;
}
struct OndravellSettings;

// Watches the mouse in every application so that the selection toolbar can appear after a text
// selection. The floating toolbar itself is not part of this type: it plugs in through `Toolbar`.
class SelectionMonitor {
public:
    struct Point {
        double x = 0;
        double y = 0;
    };
    // What the toolbar offers the monitor. Empty functions are skipped.
    struct Toolbar {
        // A left button went up at `location` after going down at `pressLocation`.
        std::function<void(Point location, Point pressLocation, int clickCount)> selectionGesture;
        // The user asked for the toolbar at the pointer, with the settings just loaded.
        std::function<void(const OndravellSettings&)> manualTrigger;
        // Scrolling moves the text away from the bar.
        std::function<void()> hideBar;
    };
    struct Services {
        platform::GlobalMouseMonitors* monitors = nullptr;
        platform::AccessibilityTrust* trust = nullptr;
        std::function<OndravellSettings()> loadSettings;
    };

    explicit SelectionMonitor(Services services);
    ~SelectionMonitor();
    SelectionMonitor(const SelectionMonitor&) = delete;
    SelectionMonitor& operator=(const SelectionMonitor&) = delete;

    // The application's one monitor. `setUpShared` runs once in the composition root, before `shared`.
    static void setUpShared(Services services);
    static SelectionMonitor& shared();

    // Removes the three monitors where present. Safe to call with none installed.
    void stop();
    // Installs the three monitors; earlier ones are not removed (call `stop` first). A monitor the
    // system refuses stays absent.
    void startMouseMonitors();
    // Reads the settings afresh and hands them to the toolbar when the toolbar is on and the process
    // may read other applications' selections.
    void triggerManually();

    void setToolbar(Toolbar toolbar) { toolbar_ = std::move(toolbar); }
    // How many of the three monitors are installed.
    int installedMonitorCount() const;

private:
    enum Slot { mouseDown, mouseUp, scroll, slotCount };

    Services services_;
    Toolbar toolbar_;
    std::array<std::optional<platform::GlobalMouseMonitors::Token>, slotCount> monitors_{};
    Point pressLocation_;
};

} // namespace ondravell
