#pragma once

namespace ondravell {

namespace platform {
class FinderExtensionStatus;
class UserDefaults;
} // namespace platform

// The welcome window's steps: welcome, enabling the file manager's extension, done. The extension's
// state is polled once a second; seeing it enabled during the second step moves on to the last one.
class OnboardingFlow {
public:
    static constexpr const char* completedKey = "hasCompletedOnboarding";
    static constexpr int pollIntervalMs = 1000;

    enum Step { welcome = 0, enableExtension = 1, done = 2 };

    // False when onboarding was finished or skipped; with the extension already enabled it counts as
    // finished from now on.
    static bool isNeeded(platform::UserDefaults& defaults, const platform::FinderExtensionStatus& extension);
    static void finish(platform::UserDefaults& defaults);

    explicit OnboardingFlow(bool extensionEnabled) : extensionEnabled_(extensionEnabled) {}

    Step step() const { return step_; }
    bool extensionEnabled() const { return extensionEnabled_; }

    // "开始设置".
    void begin() { step_ = enableExtension; }
    // One poll; true when what the window shows changed.
    bool poll(bool enabled);

private:
    Step step_ = welcome;
    bool extensionEnabled_;
};

} // namespace ondravell
