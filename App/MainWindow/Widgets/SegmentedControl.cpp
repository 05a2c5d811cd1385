#include "App/MainWindow/Widgets/SegmentedControl.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QToolButton>

namespace ondravell {

SegmentedControl::SegmentedControl(std::vector<Segment> segments, Style style, QWidget* parent)
    : QWidget(parent), group_(new QButtonGroup(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(style == Style::momentary ? 2 : 0);
    group_->setExclusive(style == Style::selecting);
    for (std::size_t i = 0; i < segments.size(); ++i) {
        auto* button = new QToolButton;
        const Segment& segment = segments[i];
        button->setText(segment.text);
        button->setIcon(segment.icon);
        button->setToolTip(segment.toolTip);
        button->setAccessibleName(segment.toolTip.isEmpty() ? segment.text : segment.toolTip);
        if (segment.text.isEmpty())
            button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        else
            button->setToolButtonStyle(segment.icon.isNull() ? Qt::ToolButtonTextOnly
                                                             : Qt::ToolButtonTextBesideIcon);
        button->setCheckable(style == Style::selecting);
        button->setAutoRaise(style == Style::momentary);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        group_->addButton(button, static_cast<int>(i));
        layout->addWidget(button);
        buttons_.push_back(button);
    }
    connect(group_, &QButtonGroup::idClicked, this, [this](int id) {
        if (onActivated)
            onActivated(id);
    });
}

int SegmentedControl::currentIndex() const {
    return group_->exclusive() ? group_->checkedId() : -1;
}

void SegmentedControl::setCurrentIndex(int index) {
    if (!group_->exclusive())
        return;
    QSignalBlocker blocker(group_);
    if (QToolButton* chosen = button(index)) {
        chosen->setChecked(true);
        return;
    }
    // No segment matches the value: none shows as chosen.
    group_->setExclusive(false);
    for (QToolButton* each : buttons_)
        each->setChecked(false);
    group_->setExclusive(true);
}

void SegmentedControl::setSegmentEnabled(int index, bool enabled) {
    if (QToolButton* segment = button(index))
        segment->setEnabled(enabled);
}

bool SegmentedControl::isSegmentEnabled(int index) const {
    QToolButton* segment = button(index);
    return segment && segment->isEnabled();
}

QToolButton* SegmentedControl::button(int index) const {
    if (index < 0 || index >= count())
        return nullptr;
    return buttons_[static_cast<std::size_t>(index)];
}

} // namespace ondravell
