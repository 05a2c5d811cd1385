#pragma once

#include <functional>
#include <memory>

class QWidget;

namespace ondravell {

class OnboardingView;
namespace platform {
class AccessibilityTrust;
class FinderExtensionStatus;
class UserDefaults;
} // namespace platform

// The welcome window at first launch. Main thread only.
class OnboardingWindowController {
public:
    struct Services {
        platform::UserDefaults* defaults = nullptr;
        const platform::FinderExtensionStatus* extension = nullptr;
        // Installs and enables the file manager's extension.
        std::function<void()> enableExtension;
        // What the session lacks of the global services, told on the last step.
        platform::AccessibilityTrust* trust = nullptr;
    };

    // `setUpShared` runs once in the composition root, before `shared`.
    static void setUpShared(Services services);
    static OnboardingWindowController& shared();

    // Opens the window unless onboarding was completed (or the extension is already enabled).
    static void showIfNeeded();
    // Makes the window on first use (it is kept when closed) and brings it to the front.
    void show();

    // The window once made, as the parent of what it opens.
    QWidget* window() const;

    ~OnboardingWindowController();

private:
    explicit OnboardingWindowController(Services services);

    Services services_;
    std::unique_ptr<OnboardingView> window_;
};

} // namespace ondravell
