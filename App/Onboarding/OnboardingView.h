#pragma once

#include "App/Onboarding/OnboardingFlow.h"

#include <QDialog>
#include <QTimer>
#include <array>
#include <functional>
#include <optional>
#include <string>

class QLabel;
class QPushButton;
class QStackedWidget;

namespace ondravell {

namespace platform {
class FinderExtensionStatus;
}

// The welcome window: three steps in a fixed 460 × 340 frame. While it is shown it asks once a second
// whether the extension is installed.
class OnboardingView final : public QDialog {
public:
    struct Actions {
        // "跳过" and "完成".
        std::function<void()> onFinish;
        // The enable step's main button.
        std::function<void()> enableExtension;
    };

    // `missingServices`: a line the last step shows about what the session lacks.
    OnboardingView(const platform::FinderExtensionStatus& extension, Actions actions,
                   std::optional<std::string> missingServices = std::nullopt);

    const OnboardingFlow& flow() const { return flow_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* makeWelcomePage();
    QWidget* makeEnablePage();
    QWidget* makeDonePage();
    void poll();
    void refresh();

    const platform::FinderExtensionStatus& extension_;
    Actions actions_;
    std::optional<std::string> missingServices_;
    OnboardingFlow flow_;
    QTimer timer_;
    QStackedWidget* pages_ = nullptr;
    QLabel* enableSymbol_ = nullptr;
    QWidget* enabledRow_ = nullptr;
    QWidget* waitingRow_ = nullptr;
    std::array<QPushButton*, 3> mainButtons_{};
};

} // namespace ondravell
