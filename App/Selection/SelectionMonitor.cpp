#include "App/Selection/SelectionMonitor.h"

#include "App/Selection/AXTextReader.h"
#include "core/SharedConfig/OndravellSettings.h"
#include "core/Support/UnicodeText.h"
#include "platform/AccessibilityTrust.h"
#include "platform/FocusedText.h"
#include "platform/FrontmostApplication.h"
#include "platform/OneShotTimers.h"

#include <algorithm>
#include <cmath>

namespace ondravell {

namespace {
// Kept for the life of the process and never destroyed: at exit the platform services it watches
// through are gone before static destructors run.
SelectionMonitor*& sharedInstance() {
    static SelectionMonitor* instance = nullptr;
    return instance;
}

// Desktop-file ids are written with and without their suffix.
std::string_view withoutDesktopSuffix(std::string_view id) {
    constexpr std::string_view suffix = ".desktop";
    if (id.size() > suffix.size() && id.ends_with(suffix))
        id.remove_suffix(suffix.size());
    return id;
}
} // namespace

SelectionMonitor::SelectionMonitor(Services services) : services_(std::move(services)) {
    if (services_.primary && services_.clipboard)
        reader_ =
            std::make_unique<AXTextReader>(*services_.primary, *services_.clipboard, services_.focusedText);
}

SelectionMonitor::~SelectionMonitor() {
    *alive_ = false;
    stop();
}

void SelectionMonitor::setUpShared(Services services) {
    if (!sharedInstance())
        sharedInstance() = new SelectionMonitor(std::move(services));
}

SelectionMonitor& SelectionMonitor::shared() {
    // Without set-up (a tool or test that never armed the toolbar) the monitor has nothing to watch.
    if (!sharedInstance())
        sharedInstance() = new SelectionMonitor(Services{});
    return *sharedInstance();
}

bool SelectionMonitor::isPlainClick(Point up, Point down, int clickCount) {
    return std::hypot(up.x - down.x, up.y - down.y) <= clickDistance && clickCount < gestureClickCount;
}

bool SelectionMonitor::shouldShowIn(const std::optional<std::string>& appID, std::string_view ownAppID,
                                    const std::vector<std::string>& blacklist, bool unnamedShows) {
    if (!appID || appID->empty())
        return unnamedShows;
    std::string_view id = withoutDesktopSuffix(*appID);
    if (!ownAppID.empty() && id == withoutDesktopSuffix(ownAppID))
        return false;
    return std::none_of(blacklist.begin(), blacklist.end(),
                        [id](const std::string& entry) { return withoutDesktopSuffix(entry) == id; });
}

void SelectionMonitor::stop() {
    for (auto& monitor : monitors_) {
        if (monitor && services_.monitors)
            services_.monitors->remove(*monitor);
        monitor.reset();
    }
    if (settleTimer_ && services_.timers)
        services_.timers->cancel(*settleTimer_);
    settleTimer_.reset();
    settledSelectionShows_ = false;
    lastSelectionChange_.reset();
    if (services_.primary) {
        services_.primary->setChangeHandler(nullptr);
        services_.primary->stopWatching();
    }
}

void SelectionMonitor::startMouseMonitors() {
    // Arming twice must not double every event.
    stop();
    if (!services_.monitors)
        return;
    settledSelectionShows_ = followSelections();
    using Kind = platform::GlobalMouseMonitors::Kind;
    using Event = platform::GlobalMouseMonitors::Event;
    installPressMonitor();
    monitors_[mouseUp] = services_.monitors->install(Kind::leftMouseUp, [this](const Event& event) {
        handleMouseUp({event.x, event.y}, event.clickCount);
    });
    monitors_[scroll] = services_.monitors->install(Kind::scrollWheel, [this](const Event&) { hideBar(); });
}

bool SelectionMonitor::followSelections() {
    // Reads see only owners taken while watching, so PRIMARY is watched in every session.
    if (!services_.primary || !services_.primary->watch() || !services_.followSelectionChanges)
        return false;
    services_.primary->setChangeHandler(
        [this](platform::PrimarySelection::ServerTime at) { selectionChanged(at); });
    return true;
}

void SelectionMonitor::followSelectionsForHotKey() {
    stop();
    // Elsewhere (an X11 session) nothing is followed: the hot key trusts the copy alone.
    if (services_.followSelectionChanges && followSelections() && services_.monitors)
        installPressMonitor();
}

void SelectionMonitor::installPressMonitor() {
    // The monitors die with this object (stop() in the destructor), so capturing `this` is safe.
    monitors_[mouseDown] =
        services_.monitors->install(platform::GlobalMouseMonitors::Kind::leftMouseDown,
                                    [this](const platform::GlobalMouseMonitors::Event& event) {
                                        lastMouseDown_ = {event.x, event.y};
                                        // A press may end the selection or start another: what PRIMARY held
                                        // before is not fresh.
                                        lastSelectionChange_.reset();
                                        lastMouseDownTime_ = event.serverTime;
                                        refreshFocus();
                                    });
}

void SelectionMonitor::handleMouseUp(Point location, int clickCount) {
    if (isPlainClick(location, lastMouseDown_, clickCount)) {
        hideBar();
        return;
    }
    if (!services_.loadSettings || !shouldShowInFrontmostApp(services_.loadSettings()))
        return;
    if (!services_.timers)
        return;
    // Every qualifying release reads on its own; the later one places the bar last.
    std::weak_ptr<bool> alive = alive_;
    services_.timers->schedule(std::chrono::duration_cast<std::chrono::milliseconds>(readDelay),
                               [this, alive, location] {
                                   if (alive.lock())
                                       readAfterGesture(location);
                               });
}

void SelectionMonitor::readAfterGesture(Point location) {
    if (!reader_ || !lastMouseDownTime_) {
        hideBar();
        return;
    }
    std::weak_ptr<bool> alive = alive_;
    reader_->selectedTextViaAX(*lastMouseDownTime_, [this, alive, location](std::optional<std::string> text) {
        if (alive.lock())
            showOrHideRead(text, [location](const std::function<void(Point)>& show) { show(location); });
    });
}

void SelectionMonitor::showOrHideRead(const std::optional<std::string>& text, const Placer& place) {
    if (text) {
        std::string trimmed = UnicodeText::trimmingWhitespaceAndNewlines(*text);
        if (!trimmed.empty() && !UnicodeText::hasMoreGraphemesThan(trimmed, maxAutomaticLength)) {
            std::weak_ptr<bool> alive = alive_;
            place([this, alive, trimmed](Point at) {
                if (alive.lock())
                    showBar(trimmed, at);
            });
            return;
        }
    }
    hideBar();
}

void SelectionMonitor::selectionChanged(platform::PrimarySelection::ServerTime at) {
    lastSelectionChange_ =
        SelectionChange{at, services_.frontmost ? services_.frontmost->bundleIdentifier() : std::nullopt,
                        services_.frontmost ? services_.frontmost->windowObjectPath() : std::nullopt};
    if (!services_.timers || !settledSelectionShows_)
        return;
    refreshFocus();
    // Each change starts the wait again: only the last change of a drag is read.
    if (settleTimer_)
        services_.timers->cancel(*settleTimer_);
    std::weak_ptr<bool> alive = alive_;
    settleTimer_ = services_.timers->schedule(selectionSettleTime, [this, alive, at] {
        if (!alive.lock())
            return;
        settleTimer_.reset();
        readSettledSelection(at);
    });
}

void SelectionMonitor::refreshFocus() const {
    // Up to date by the time the selection is read, so a password field is known as one.
    if (services_.focusedText)
        services_.focusedText->refresh();
}

void SelectionMonitor::readSettledSelection(platform::PrimarySelection::ServerTime changedAt) {
    if (services_.mouseSeesFocusedWindow && services_.mouseSeesFocusedWindow())
        return;
    if (!reader_ || !services_.loadSettings || !shouldShowInFrontmostApp(services_.loadSettings()))
        return;
    std::weak_ptr<bool> alive = alive_;
    reader_->selectedTextViaAX(changedAt, [this, alive](std::optional<std::string> text) {
        if (alive.lock())
            showOrHideRead(text, [this](const std::function<void(Point)>& show) { locate(show); });
    });
}

bool SelectionMonitor::shouldShowInFrontmostApp(const OndravellSettings& settings) {
    std::optional<std::string> appID =
        services_.frontmost ? services_.frontmost->bundleIdentifier() : std::nullopt;
    const bool unnamedShows = !services_.focusedText || services_.focusedText->answers();
    return shouldShowIn(appID, services_.ownAppID, settings.selectionAppBlacklist, unnamedShows);
}

void SelectionMonitor::triggerManually() {
    if (!services_.loadSettings || !reader_)
        return;
    OndravellSettings settings = services_.loadSettings();
    if (!settings.selectionEnabled || !services_.trust || !services_.trust->isProcessTrusted() ||
        !shouldShowInFrontmostApp(settings))
        return;
    std::weak_ptr<bool> alive = alive_;
    auto viaClipboard = [this, alive](std::optional<std::string> text) {
        if (!alive.lock())
            return;
        if (text) {
            showManually(text);
            return;
        }
        reader_->selectedTextViaClipboard([this, alive](std::optional<std::string> copied) {
            if (alive.lock())
                showManually(copied);
        });
    };
    // Without a press seen while armed, no selection can be told fresh: only the copy is trusted.
    // Where PRIMARY's changes are followed, one made in the window that has the keyboard is fresh: a
    // selection made with the keys, in a window whose keys the program cannot press, is read there.
    std::optional<platform::PrimarySelection::ServerTime> since = freshSelection();
    if (since)
        reader_->selectedTextViaAX(*since, viaClipboard);
    else
        viaClipboard(std::nullopt);
}

std::optional<platform::PrimarySelection::ServerTime> SelectionMonitor::freshSelection() {
    if (!services_.primary)
        return std::nullopt;
    if (!services_.followSelectionChanges)
        return monitors_[mouseDown] ? lastMouseDownTime_ : std::nullopt;
    if (!lastSelectionChange_ || !services_.frontmost ||
        services_.frontmost->bundleIdentifier() != lastSelectionChange_->application ||
        services_.frontmost->windowObjectPath() != lastSelectionChange_->window)
        return std::nullopt;
    return lastSelectionChange_->at;
}

void SelectionMonitor::showManually(const std::optional<std::string>& text) {
    if (!text)
        return;
    std::string trimmed = UnicodeText::trimmingWhitespaceAndNewlines(*text);
    if (trimmed.empty())
        return;
    std::weak_ptr<bool> alive = alive_;
    locate([this, alive, trimmed](Point at) {
        if (alive.lock())
            showBar(trimmed, at);
    });
}

void SelectionMonitor::locate(const std::function<void(Point)>& done) const {
    if (services_.locateBar)
        services_.locateBar(done);
    else
        done(services_.pointerLocation ? services_.pointerLocation() : Point{});
}

void SelectionMonitor::showBar(const std::string& text, Point at) const {
    if (bar_.show)
        bar_.show(text, at);
}

void SelectionMonitor::hideBar() const {
    if (bar_.hide)
        bar_.hide();
}

int SelectionMonitor::installedMonitorCount() const {
    int count = 0;
    for (const auto& monitor : monitors_)
        count += monitor ? 1 : 0;
    return count;
}

} // namespace ondravell
