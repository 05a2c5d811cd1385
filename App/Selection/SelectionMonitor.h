#pragma once

#include "platform/GlobalMouseMonitors.h"
#include "platform/PrimarySelection.h"

#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ondravell {

namespace platform {
class AccessibilityTrust;
class ClipboardCopier;
class FocusedText;
class FrontmostApplication;
class OneShotTimers;
} // namespace platform
struct OndravellSettings;
class AXTextReader;

// Decides when the selection toolbar shows and hides. Armed, it watches the mouse in every other
// application: a drag or a multiple click shows the bar with the selected text at the release point
// a moment later; a plain click or a scroll hides it. The hot key shows the bar at the pointer. Both
// skip this application and the applications the user excluded. The bar plugs in through `Bar`.
class SelectionMonitor {
public:
    struct Point {
        double x = 0;
        double y = 0;
    };
    // The toolbar as the monitor drives it. Empty functions are skipped.
    struct Bar {
        std::function<void(const std::string& text, Point at)> show;
        std::function<void()> hide;
    };
    struct Services {
        platform::GlobalMouseMonitors* monitors = nullptr;
        platform::AccessibilityTrust* trust = nullptr;
        std::function<OndravellSettings()> loadSettings;
        platform::PrimarySelection* primary = nullptr;
        platform::ClipboardCopier* clipboard = nullptr;
        platform::FrontmostApplication* frontmost = nullptr;
        platform::OneShotTimers* timers = nullptr;
        // This application's own id, in the id space of `frontmost`.
        std::string ownAppID;
        // Where the pointer is now, in the monitors' coordinates.
        std::function<Point()> pointerLocation;
        // A session without a global mouse-up (Wayland): armed, the monitor also follows PRIMARY, and a
        // selection counts as finished once it stayed the same for `selectionSettleTime`.
        bool followSelectionChanges = false;
        // Whether the window with the keyboard is one the mouse monitors see (an X11 one): its
        // selections are handled at the release, not once they settle.
        std::function<bool()> mouseSeesFocusedWindow;
        // Where the bar goes for a selection that settled, and for the hot key when set (instead of
        // `pointerLocation`); answers once, on the event loop's thread.
        std::function<void(std::function<void(Point)>)> locateBar;
        // The accessibility bus's focused object: no selection is read from a password field.
        platform::FocusedText* focusedText = nullptr;
    };

    // A release this close to its press (points) is a click, unless it ends a multiple click.
    static constexpr double clickDistance = 4.0;
    static constexpr int gestureClickCount = 2;
    static constexpr std::chrono::milliseconds readDelay{50};
    // The longest selection the automatic trigger shows, in user-perceived characters.
    static constexpr std::size_t maxAutomaticLength = 20000;
    // How long PRIMARY must stay unchanged before a selection made without a visible mouse-up counts as
    // finished: a drag changes it about every 100 ms.
    static constexpr std::chrono::milliseconds selectionSettleTime{350};

    explicit SelectionMonitor(Services services);
    ~SelectionMonitor();
    SelectionMonitor(const SelectionMonitor&) = delete;
    SelectionMonitor& operator=(const SelectionMonitor&) = delete;

    // The application's one monitor. `setUpShared` runs once in the composition root, before `shared`.
    static void setUpShared(Services services);
    static SelectionMonitor& shared();

    // Removes the monitors where present. Safe to call with none installed.
    void stop();
    // Installs the three monitors, removing any installed before. A monitor the system refuses stays
    // absent.
    void startMouseMonitors();
    // Without the automatic trigger: where selections are followed (Wayland), follows them and the left
    // presses only so that the hot key can tell a fresh one; shows nothing by itself. Stops whatever
    // ran before.
    void followSelectionsForHotKey();
    // The hot key: reads the selection (or, failing that, a copy of it) and shows the bar at the pointer.
    void triggerManually();

    void setBar(Bar bar) { bar_ = std::move(bar); }
    // How many of the three monitors are installed.
    int installedMonitorCount() const;

    // Whether a release at `up` after a press at `down` is a plain click rather than a selection.
    static bool isPlainClick(Point up, Point down, int clickCount);
    // Whether the bar may show over the application `appID`. Nullopt is an application that cannot be
    // named, which the bar shows over only when `unnamedShows`: not while what would name it (the
    // accessibility bus) does not answer, since it may be an excluded one.
    static bool shouldShowIn(const std::optional<std::string>& appID, std::string_view ownAppID,
                             const std::vector<std::string>& blacklist, bool unnamedShows);

private:
    enum Slot { mouseDown, mouseUp, scroll, slotCount };

    void handleMouseUp(Point location, int clickCount);
    void readAfterGesture(Point location);
    void selectionChanged(platform::PrimarySelection::ServerTime at);
    bool followSelections();
    void installPressMonitor();
    // The selection the hot key may take from PRIMARY where changes are followed; none when stale.
    std::optional<platform::PrimarySelection::ServerTime> freshSelection();
    void refreshFocus() const;
    void readSettledSelection(platform::PrimarySelection::ServerTime changedAt);
    // The automatic trigger's rules for a text read: shown when usable, hidden otherwise.
    // `place` hands the point the bar goes to, once, to the function it is given.
    using Placer = std::function<void(const std::function<void(Point)>&)>;
    void showOrHideRead(const std::optional<std::string>& text, const Placer& place);
    void locate(const std::function<void(Point)>& done) const;
    bool shouldShowInFrontmostApp(const OndravellSettings& settings);
    void showManually(const std::optional<std::string>& text);
    void showBar(const std::string& text, Point at) const;
    void hideBar() const;

    Services services_;
    Bar bar_;
    std::unique_ptr<AXTextReader> reader_;
    std::array<std::optional<platform::GlobalMouseMonitors::Token>, slotCount> monitors_{};
    Point lastMouseDown_;
    // When the last left press went down, while armed; none before the first.
    std::optional<platform::PrimarySelection::ServerTime> lastMouseDownTime_;
    // The read waiting for PRIMARY to settle, while following its changes.
    std::optional<std::uint64_t> settleTimer_;
    // Whether a settled selection shows the bar (armed) or is only remembered for the hot key.
    bool settledSelectionShows_ = false;
    // PRIMARY's last change where changes are followed, and the window that had the keyboard then: it
    // is fresh for the hot key while that window still has it and no left press came since.
    struct SelectionChange {
        platform::PrimarySelection::ServerTime at = 0;
        std::optional<std::string> application;
        std::optional<std::string> window;
    };
    std::optional<SelectionChange> lastSelectionChange_;
    // Reads and timers still under way check it, so none lands after the monitor is gone.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace ondravell
