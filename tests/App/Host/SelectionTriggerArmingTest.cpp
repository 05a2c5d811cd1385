#include "App/Host/SelectionTriggerArming.h"

#include "App/Selection/SelectionMonitor.h"
#include "core/SharedConfig/OndravellSettings.h"
#include "platform/memory/MemoryAccessibilityTrust.h"
#include "platform/memory/MemoryGlobalMouseMonitors.h"
#include "platform/memory/MemoryPrimarySelection.h"

#include <gtest/gtest.h>

using namespace ondravell;
using Kind = platform::GlobalMouseMonitors::Kind;

namespace {

OndravellSettings settingsWith(bool selectionEnabled, bool selectionTriggerAuto) {
    OndravellSettings settings;
    settings.selectionEnabled = selectionEnabled;
    settings.selectionTriggerAuto = selectionTriggerAuto;
    return settings;
}

struct Fixture {
    platform::MemoryGlobalMouseMonitors monitors;
    platform::MemoryAccessibilityTrust trust;
    OndravellSettings settings;
    SelectionMonitor monitor{services()};

    SelectionMonitor::Services services() {
        SelectionMonitor::Services services;
        services.monitors = &monitors;
        services.trust = &trust;
        services.loadSettings = [this] { return settings; };
        return services;
    }

    explicit Fixture(bool trusted) : trust(trusted) {}
};

} // namespace

TEST(SelectionTriggerArming, StartsTheThreeMonitorsOnceWhenEnabledTrustedAndAutomatic) {
    Fixture f(true);
    SelectionTriggerArming::arm(f.monitor, settingsWith(true, true), f.trust);
    EXPECT_EQ(f.monitors.installedCount(), 3u);
    EXPECT_EQ(f.monitors.installedCount(Kind::leftMouseDown), 1u);
    EXPECT_EQ(f.monitors.installedCount(Kind::leftMouseUp), 1u);
    EXPECT_EQ(f.monitors.installedCount(Kind::scrollWheel), 1u);
}

TEST(SelectionTriggerArming, ArmingAgainReplacesRatherThanAddsMonitors) {
    Fixture f(true);
    SelectionTriggerArming::arm(f.monitor, settingsWith(true, true), f.trust);
    SelectionTriggerArming::arm(f.monitor, settingsWith(true, true), f.trust);
    EXPECT_EQ(f.monitors.installedCount(), 3u);
}

TEST(SelectionTriggerArming, AnyMissingConditionLeavesTheMonitorStopped) {
    for (auto [enabled, automatic, trusted] :
         {std::tuple{false, true, true}, std::tuple{true, false, true}, std::tuple{true, true, false}}) {
        Fixture f(trusted);
        f.monitor.startMouseMonitors(); // armed before: the launch step must stop it
        SelectionTriggerArming::arm(f.monitor, settingsWith(enabled, automatic), f.trust);
        EXPECT_EQ(f.monitors.installedCount(), 0u) << enabled << automatic << trusted;
        EXPECT_EQ(f.monitor.installedMonitorCount(), 0);
    }
}

TEST(SelectionTriggerArming, TrustIsNotAskedWhileTheToolbarIsOff) {
    Fixture f(true);
    SelectionTriggerArming::arm(f.monitor, settingsWith(false, true), f.trust);
    EXPECT_EQ(f.trust.queryCount(), 0);
}

TEST(SelectionMonitorMonitors, RefusedMonitorsStayAbsentAndStopIsHarmless) {
    Fixture f(true);
    f.monitors.setRefuseInstalls(true);
    f.monitor.startMouseMonitors();
    EXPECT_EQ(f.monitor.installedMonitorCount(), 0);
    f.monitor.stop();
    f.monitor.stop();
}

TEST(SelectionTriggerArming, WithoutTheAutomaticTriggerAnX11SessionWatchesNothing) {
    Fixture f(true);
    platform::MemoryPrimarySelection primary;
    SelectionMonitor::Services services = f.services();
    services.primary = &primary;
    SelectionMonitor monitor(services);
    SelectionTriggerArming::arm(monitor, settingsWith(true, false), f.trust);
    EXPECT_FALSE(primary.watching);
    EXPECT_EQ(f.monitors.installedCount(), 0u);
}
