#include "App/Host/SelectionTriggerArming.h"

#include "App/Selection/SelectionMonitor.h"
#include "core/SharedConfig/OndravellSettings.h"
#include "platform/AccessibilityTrust.h"

namespace ondravell {

void SelectionTriggerArming::arm(SelectionMonitor& monitor, const OndravellSettings& settings,
                                 platform::AccessibilityTrust& trust) {
    monitor.stop();
    if (!settings.selectionEnabled)
        return;
    if (!trust.isProcessTrusted())
        return;
    if (settings.selectionTriggerAuto)
        monitor.startMouseMonitors();
    else
        monitor.followSelectionsForHotKey();
}

} // namespace ondravell
