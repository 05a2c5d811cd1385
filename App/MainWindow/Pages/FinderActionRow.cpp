#include "App/MainWindow/Pages/FinderActionRow.h"

#include "App/MainWindow/Models/SpaceTrim.h"
#include "App/MainWindow/Pages/ConditionEditor.h"
#include "App/MainWindow/Widgets/Badge.h"
#include "App/MainWindow/Widgets/QtText.h"
#include "App/MainWindow/Widgets/SymbolIcons.h"
#include "App/Widgets/PopupPlacement.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace ondravell {

namespace {

constexpr int iconSize = 16;
constexpr int groupButtonWidth = 30;
const QColor dangerColor(0xE5, 0x39, 0x35);
const QColor groupColor(0x1E, 0x7C, 0xF2);

QColor secondaryColor(const QWidget* widget) {
    return widget->palette().color(QPalette::PlaceholderText);
}

} // namespace

FinderActionRow::FinderActionRow(OndravellAction action, Callbacks callbacks, QWidget* parent)
    : QWidget(parent),
      action_(std::move(action)),
      callbacks_(std::move(callbacks)),
      switch_(new QCheckBox),
      groupBadge_(new Badge({}, groupColor, 0.15)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 3, 0, 3);
    layout->setSpacing(6);

    auto* icon = new QLabel;
    icon->setPixmap(symbolIcon(action_.systemImage).pixmap(iconSize, iconSize));
    icon->setFixedWidth(iconSize + 2);
    layout->addWidget(icon);
    layout->addWidget(new QLabel(toQString(action_.localizedTitle())));
    if (action_.isDangerous) {
        dangerBadge_ = new Badge(QStringLiteral("危险"), dangerColor, 0.12);
        layout->addWidget(dangerBadge_);
    }
    if (!action_.isImplemented)
        layout->addWidget(new Badge(QStringLiteral("即将推出"), secondaryColor(this), 0.15));
    groupBadge_->hide();
    layout->addWidget(groupBadge_);
    layout->addStretch(1);

    if (action_.isImplemented) {
        groupButton_ = new QToolButton;
        groupButton_->setText(QStringLiteral("分组"));
        groupButton_->setToolTip(QStringLiteral("收进分组子菜单"));
        groupButton_->setAccessibleName(QStringLiteral("分组"));
        groupButton_->setAutoRaise(true);
        groupButton_->setMinimumWidth(groupButtonWidth);
        // The menu is made when it opens: a page of many rows opens faster without one menu per row.
        connect(groupButton_, &QToolButton::clicked, this, [this] { showGroupMenu(); });
        layout->addWidget(groupButton_);

        conditionButton_ = new QToolButton;
        conditionButton_->setText(QStringLiteral("条件"));
        conditionButton_->setAccessibleName(QStringLiteral("设置显示条件"));
        conditionButton_->setAutoRaise(true);
        connect(conditionButton_, &QToolButton::clicked, this, [this] { openCondition(); });
        layout->addWidget(conditionButton_);
    }

    switch_->setAccessibleName(toQString(action_.localizedTitle()));
    switch_->setEnabled(action_.isImplemented);
    // `clicked` comes only from the user; the switch then shows what the page says, not the click.
    connect(switch_, &QCheckBox::clicked, this, [this](bool on) {
        {
            QSignalBlocker blocker(switch_);
            switch_->setChecked(state_.isEnabled);
        }
        if (callbacks_.onToggle)
            callbacks_.onToggle(on);
    });
    layout->addWidget(switch_);
}

void FinderActionRow::update(const State& state) {
    state_ = state;
    {
        QSignalBlocker blocker(switch_);
        switch_->setChecked(state.isEnabled);
    }
    groupBadge_->setText(state.group ? toQString(*state.group) : QString());
    groupBadge_->setVisible(state.group.has_value());
    QColor accent = palette().color(QPalette::Highlight);
    if (groupButton_) {
        QColor face = state.group ? accent : secondaryColor(this);
        groupButton_->setIcon(symbolIcon("folder", face));
    }
    if (conditionButton_) {
        bool empty = state.rule.isEmpty();
        QColor face = empty ? secondaryColor(this) : accent;
        conditionButton_->setIcon(symbolIcon("slider.horizontal.3", face));
        conditionButton_->setToolTip(empty ? QStringLiteral("设置显示条件")
                                           : QStringLiteral("已设置显示条件"));
    }
}

void FinderActionRow::showGroupMenu() {
    QMenu menu(this);
    fillGroupMenu(&menu);
    menu.exec(popupPosition(groupButton_, menu.sizeHint()));
}

void FinderActionRow::fillGroupMenu(QMenu* menu) {
    connect(menu->addAction(QStringLiteral("无分组")), &QAction::triggered, this, [this] {
        if (callbacks_.onGroupChange)
            callbacks_.onGroupChange(std::nullopt);
    });
    if (!state_.existingGroups.empty())
        menu->addSeparator();
    for (const std::string& name : state_.existingGroups) {
        // The name as it is: no mnemonic, no lookup.
        QAction* item = menu->addAction(toQString(name).replace(QLatin1Char('&'), QStringLiteral("&&")));
        connect(item, &QAction::triggered, this, [this, name] {
            if (callbacks_.onGroupChange)
                callbacks_.onGroupChange(name);
        });
    }
    menu->addSeparator();
    connect(menu->addAction(QStringLiteral("新建分组…")), &QAction::triggered, this,
            [this] { askForNewGroup(); });
}

void FinderActionRow::askForNewGroup() {
    QDialog alert(this);
    alert.setWindowTitle(QStringLiteral("新建分组"));
    auto* column = new QVBoxLayout(&alert);
    auto* title = new QLabel(QStringLiteral("新建分组"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    column->addWidget(title);
    column->addWidget(new QLabel(QStringLiteral("该动作将收进右键菜单的「分组名 ›」子菜单。")));
    auto* field = new QLineEdit; // empty every time the alert opens
    field->setPlaceholderText(QStringLiteral("分组名称"));
    column->addWidget(field);
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole)->setAutoDefault(false);
    buttons->addButton(QStringLiteral("创建"), QDialogButtonBox::AcceptRole)->setDefault(true);
    // Return in the field creates the group, as the default button does.
    connect(field, &QLineEdit::returnPressed, &alert, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::accepted, &alert, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &alert, &QDialog::reject);
    column->addWidget(buttons);
    if (alert.exec() == QDialog::Accepted)
        createGroup(field->text());
}

void FinderActionRow::createGroup(const QString& typed) {
    std::string name = trimmingSpacesAndTabs(typed.toStdString());
    if (!name.empty() && callbacks_.onGroupChange)
        callbacks_.onGroupChange(name);
}

void FinderActionRow::openCondition() {
    auto* popover = new QFrame(conditionButton_, Qt::Popup);
    popover->setAttribute(Qt::WA_DeleteOnClose);
    popover->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(popover);
    layout->setContentsMargins(0, 0, 0, 0);
    editor_ = new ConditionEditor(action_, state_.rule, callbacks_.onRuleChange);
    layout->addWidget(editor_);
    connect(popover, &QObject::destroyed, this, [this] { editor_ = nullptr; });
    popover->adjustSize();
    popover->move(popupPosition(conditionButton_, popover->size(), Qt::AlignHCenter));
    popover->show();
    // The keys go to the popover, to the extensions field where there is one.
    if (QLineEdit* field = editor_->extensionsField())
        field->setFocus(Qt::PopupFocusReason);
    else
        popover->setFocus(Qt::PopupFocusReason);
}

} // namespace ondravell
