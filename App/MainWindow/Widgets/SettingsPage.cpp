#include "App/MainWindow/Widgets/SettingsPage.h"

#include "App/MainWindow/Widgets/SettingsSection.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QShowEvent>
#include <QVBoxLayout>

namespace ondravell {

namespace {
constexpr int pageMargin = 20;
constexpr int sectionSpacing = 18;
} // namespace

// Pickers and steppers change their value under the wheel, and Qt gives them the focus when the wheel
// turns over them. On a scrolling page that turns a scroll into a setting changed and saved, so these
// controls take the focus only from a click or Tab and the wheel only while they have it; otherwise
// the wheel goes on to the page, which scrolls.
class SettingsPage::WheelGuard final : public QObject {
public:
    using QObject::QObject;

    void guard(QWidget* control) {
        control->setFocusPolicy(Qt::StrongFocus);
        control->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Wheel || static_cast<QWidget*>(watched)->hasFocus())
            return false;
        // Ignored, the event goes on to the control's parents and so to the page's scroll bar.
        event->ignore();
        return true;
    }
};

SettingsPage::SettingsPage(QWidget* parent)
    : QScrollArea(parent), column_(new QVBoxLayout), wheelGuard_(new WheelGuard(this)) {
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* content = new QWidget;
    column_->setContentsMargins(pageMargin, pageMargin, pageMargin, pageMargin);
    column_->setSpacing(sectionSpacing);
    column_->addStretch(1);
    content->setLayout(column_);
    setWidget(content);
}

void SettingsPage::addSection(SettingsSection* section) {
    addWidget(section);
}

void SettingsPage::addWidget(QWidget* widget) {
    column_->insertWidget(column_->count() - 1, widget);
}

void SettingsPage::showEvent(QShowEvent* event) {
    QScrollArea::showEvent(event);
    // Only a real showing reloads: the window's own re-show after minimising is spontaneous too, but a
    // page that was already on screen keeps what it shows.
    if (!event->spontaneous())
        reload();
    guardWheelControls();
}

void SettingsPage::guardWheelControls() {
    // Cheap enough at every showing, and so also covers controls that sections added since.
    for (QComboBox* picker : widget()->findChildren<QComboBox*>())
        wheelGuard_->guard(picker);
    for (QAbstractSpinBox* stepper : widget()->findChildren<QAbstractSpinBox*>())
        wheelGuard_->guard(stepper);
}

} // namespace ondravell
