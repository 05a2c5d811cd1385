#include "App/Selection/SelectionMonitor.h"

#include "core/SharedConfig/OndravellSettings.h"
#include "platform/AccessibilityTrust.h"


namespace ondravell {

namespace {
// Kept for the life of the process and never destroyed: at exit the platform services it watches
// through are gone before static destructors run.
SelectionMonitor*& sharedInstance() {
    static SelectionMonitor* instance = nullptr;
    return instance;
}
} // namespace

SelectionMonitor::SelectionMonitor(Services services) : services_(std::move(services)) {}

SelectionMonitor::~SelectionMonitor() {
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

void SelectionMonitor::stop() {
    for (auto& monitor : monitors_) {
        if (monitor && services_.monitors)
            services_.monitors->remove(*monitor);
        monitor.reset();
    }
}

void SelectionMonitor::startMouseMonitors() {
    if (!services_.monitors)
        return;
    using Kind = platform::GlobalMouseMonitors::Kind;
    using Event = platform::GlobalMouseMonitors::Event;
    // The monitors die with this object (stop() in the destructor), so capturing `this` is safe.
    monitors_[mouseDown] = services_.monitors->install(Kind::leftMouseDown, [this](const Event& event) {
        pressLocation_ = {event.x, event.y};
    });
    monitors_[mouseUp] = services_.monitors->install(Kind::leftMouseUp, [this](const Event& event) {
        if (toolbar_.selectionGesture)
            toolbar_.selectionGesture({event.x, event.y}, pressLocation_, event.clickCount);
    });
    monitors_[scroll] = services_.monitors->install(Kind::scrollWheel, [this](const Event&) {
        if (toolbar_.hideBar)
            toolbar_.hideBar();
    });
}

void SelectionMonitor::triggerManually() {
    if (!services_.loadSettings)
        return;
    OndravellSettings settings = services_.loadSettings();
    if (!settings.selectionEnabled || !services_.trust || !services_.trust->isProcessTrusted())
        return;
    if (toolbar_.manualTrigger)
        toolbar_.manualTrigger(settings);
}

int SelectionMonitor::installedMonitorCount() const {
    int count = 0;
    for (const auto& monitor : monitors_)
        count += monitor ? 1 : 0;
    return count;
}

} // namespace ondravell
