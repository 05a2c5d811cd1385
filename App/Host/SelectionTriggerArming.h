#pragma once

namespace ondravell {

class SelectionMonitor;
struct OndravellSettings;
namespace platform {
class AccessibilityTrust;
}

// The launch step that arms the selection toolbar's automatic trigger: the monitor is always stopped
// first; its mouse monitors start again only when the toolbar is on, the process may watch global input
// and the toolbar appears by itself after a selection; otherwise, with the toolbar on and trust, the
// monitor follows selections for the hot key only. Trust is not asked while the toolbar is off.
struct SelectionTriggerArming {
    SelectionTriggerArming() = delete;
    static void arm(SelectionMonitor& monitor, const OndravellSettings& settings,
                    platform::AccessibilityTrust& trust);
};

} // namespace ondravell
