#include "App/MainWindow/Widgets/SettingsPage.h"

#include "App/MainWindow/Models/SettingsPageModel.h"
#include "App/MainWindow/Widgets/SettingsSection.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QPointer>
#include <QShowEvent>
#include <QVBoxLayout>
#include <vector>

namespace ondravell {

namespace {
constexpr int pageMargin = 20;
constexpr int sectionSpacing = 18;
// A section's header and warning line together.
constexpr int warningRoom = 60;
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

// Remembers the widget of the page that the user last pressed or typed into, so that what follows
// from that input can be said beside it. Popovers, menus and alerts opened from a control of the page
// count as part of it, through their parent widget. It only watches: every event goes on unchanged.
class SettingsPage::InputWatch final : public QObject {
public:
    explicit InputWatch(SettingsPage* page) : QObject(page), page_(page) { qApp->installEventFilter(this); }

    QWidget* lastTouched() const { return lastTouched_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::KeyPress)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        for (QWidget* up = widget; up; up = up->parentWidget())
            if (up == page_) {
                lastTouched_ = widget;
                break;
            }
        return false;
    }

private:
    SettingsPage* page_;
    QPointer<QWidget> lastTouched_;
};

const QString SettingsPage::saveFailedText = QStringLiteral("保存失败：设置文件无法写入，已恢复为原来的设置");

SettingsPage::SettingsPage(QWidget* parent)
    : QScrollArea(parent),
      column_(new QVBoxLayout),
      wheelGuard_(new WheelGuard(this)),
      inputWatch_(new InputWatch(this)) {
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
    if (!event->spontaneous()) {
        saveFinished(true);
        reload();
    }
    guardWheelControls();
}

void SettingsPage::reportSaves(SettingsPageModel& model) {
    model.setSaveObserver([this](bool saved) { saveFinished(saved); });
}

void SettingsPage::saveFinished(bool saved) {
    // The page's sections in column order (the classes here have no meta-objects of their own).
    std::vector<SettingsSection*> sections;
    for (QWidget* child : widget()->findChildren<QWidget*>())
        if (auto* section = dynamic_cast<SettingsSection*>(child))
            sections.push_back(section);
    if (saved) {
        for (SettingsSection* section : sections)
            section->setWarning({});
        return;
    }
    SettingsSection* where = nullptr;
    for (QWidget* widget = inputWatch_->lastTouched(); widget && !where; widget = widget->parentWidget())
        where = dynamic_cast<SettingsSection*>(widget);
    // Without a touched control (a change that came another way) the page's first section says it.
    if (!where && !sections.empty())
        where = sections.front();
    if (!where)
        return;
    where->setWarning(saveFailedText);
    // The line stands at the section's top: the page scrolls only as far as needed to show it.
    const QPoint top = where->mapTo(widget(), QPoint(0, 0));
    ensureVisible(top.x(), top.y() + warningRoom / 2, 0, warningRoom / 2);
}

void SettingsPage::guardWheelControls() {
    // Cheap enough at every showing, and so also covers controls that sections added since.
    for (QComboBox* picker : widget()->findChildren<QComboBox*>())
        wheelGuard_->guard(picker);
    for (QAbstractSpinBox* stepper : widget()->findChildren<QAbstractSpinBox*>())
        wheelGuard_->guard(stepper);
}

} // namespace ondravell
