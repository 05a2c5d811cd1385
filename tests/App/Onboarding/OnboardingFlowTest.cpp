#include "App/Onboarding/OnboardingFlow.h"

#include "platform/FinderExtensionStatus.h"
#include "platform/memory/MemoryUserDefaults.h"

#include <gtest/gtest.h>

using namespace ondravell;

namespace {
struct FixedExtensionState : platform::FinderExtensionStatus {
    bool enabled = false;
    bool isExtensionEnabled() const override { return enabled; }
};
} // namespace

TEST(OnboardingFlow, IsNeededUntilFinishedAndNeverWithTheExtensionAlreadyEnabled) {
    platform::MemoryUserDefaults defaults;
    FixedExtensionState extension;
    EXPECT_TRUE(OnboardingFlow::isNeeded(defaults, extension));
    EXPECT_FALSE(defaults.boolForKey(OnboardingFlow::completedKey));

    extension.enabled = true;
    EXPECT_FALSE(OnboardingFlow::isNeeded(defaults, extension));
    EXPECT_EQ(defaults.boolForKey(OnboardingFlow::completedKey), true);

    platform::MemoryUserDefaults skipped;
    OnboardingFlow::finish(skipped);
    extension.enabled = false;
    EXPECT_FALSE(OnboardingFlow::isNeeded(skipped, extension));
}

TEST(OnboardingFlow, MovesOnByItselfOnlyFromTheEnableStep) {
    OnboardingFlow flow(false);
    EXPECT_FALSE(flow.poll(false));
    // Enabled during the welcome step: the state follows, the step stays.
    EXPECT_TRUE(flow.poll(true));
    EXPECT_EQ(flow.step(), OnboardingFlow::welcome);
    flow.begin();
    EXPECT_TRUE(flow.poll(true));
    EXPECT_EQ(flow.step(), OnboardingFlow::done);
    // Disabled again on the last step: nothing moves back.
    EXPECT_TRUE(flow.poll(false));
    EXPECT_EQ(flow.step(), OnboardingFlow::done);
    EXPECT_FALSE(flow.extensionEnabled());
}
