#include "App/Onboarding/OnboardingFlow.h"

#include "platform/FinderExtensionStatus.h"
#include "platform/UserDefaults.h"

namespace ondravell {

bool OnboardingFlow::isNeeded(platform::UserDefaults& defaults,
                              const platform::FinderExtensionStatus& extension) {
    if (defaults.boolForKey(completedKey).value_or(false))
        return false;
    if (extension.isExtensionEnabled()) {
        finish(defaults);
        return false;
    }
    return true;
}

void OnboardingFlow::finish(platform::UserDefaults& defaults) {
    defaults.setBool(completedKey, true);
}

bool OnboardingFlow::poll(bool enabled) {
    bool changed = enabled != extensionEnabled_;
    extensionEnabled_ = enabled;
    // Only the second step moves on by itself; the welcome step waits for the user.
    if (step_ == enableExtension && enabled) {
        step_ = done;
        changed = true;
    }
    return changed;
}

} // namespace ondravell
