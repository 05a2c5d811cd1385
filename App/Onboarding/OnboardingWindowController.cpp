#include "App/Onboarding/OnboardingWindowController.h"

#include "App/Onboarding/OnboardingView.h"
#include "platform/AccessibilityTrust.h"

#include <QGuiApplication>
#include <QScreen>

namespace ondravell {

namespace {
OnboardingWindowController*& sharedInstance() {
    static OnboardingWindowController* instance = nullptr;
    return instance;
}
} // namespace

OnboardingWindowController::OnboardingWindowController(Services services) : services_(std::move(services)) {}
OnboardingWindowController::~OnboardingWindowController() = default;

void OnboardingWindowController::setUpShared(Services services) {
    if (!sharedInstance())
        sharedInstance() = new OnboardingWindowController(std::move(services));
}

OnboardingWindowController& OnboardingWindowController::shared() {
    if (!sharedInstance())
        sharedInstance() = new OnboardingWindowController(Services{});
    return *sharedInstance();
}

QWidget* OnboardingWindowController::window() const {
    return window_.get();
}

void OnboardingWindowController::showIfNeeded() {
    OnboardingWindowController& controller = shared();
    if (!controller.services_.defaults || !controller.services_.extension)
        return;
    if (OnboardingFlow::isNeeded(*controller.services_.defaults, *controller.services_.extension))
        controller.show();
}

void OnboardingWindowController::show() {
    if (!services_.extension)
        return;
    if (!window_) {
        window_ = std::make_unique<OnboardingView>(
            *services_.extension,
            OnboardingView::Actions{[this] {
                                        if (services_.defaults)
                                            OnboardingFlow::finish(*services_.defaults);
                                        if (window_)
                                            window_->close();
                                    },
                                    services_.enableExtension},
            services_.trust ? services_.trust->missingServices() : std::nullopt);
        if (QScreen* screen = QGuiApplication::primaryScreen())
            window_->move(screen->availableGeometry().center() - window_->rect().center());
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
}

} // namespace ondravell
