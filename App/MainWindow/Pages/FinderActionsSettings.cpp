#include "App/MainWindow/Pages/FinderActionsSettings.h"

#include "App/MainWindow/Pages/FinderActionRow.h"
#include "App/MainWindow/Widgets/CappedSpinBox.h"
#include "App/MainWindow/Widgets/QtText.h"
#include "App/MainWindow/Widgets/ReorderableRowList.h"
#include "App/MainWindow/Widgets/SegmentedControl.h"
#include "App/MainWindow/Widgets/SettingsSection.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

namespace ondravell {

namespace {

constexpr int pickerWidth = 220;
constexpr int stepperWidth = 150;

std::optional<std::string> chosenID(const QComboBox* picker, int index) {
    QVariant value = picker->itemData(index);
    if (!value.isValid())
        return std::nullopt;
    return value.toString().toStdString();
}

} // namespace

FinderActionsSettings::FinderActionsSettings(FinderActionsModel::Services services, QWidget* parent)
    : SettingsPage(parent),
      model_(services),
      nest_(new SegmentedControl({{QStringLiteral("顶级菜单")}, {QStringLiteral("归入 Ondravell 菜单")}})),
      list_(new ReorderableRowList),
      terminal_(new QComboBox),
      editor_(new QComboBox),
      sizeLimit_(new CappedSpinBox) {
    auto* style = new SettingsSection(
        QStringLiteral("右键菜单样式"),
        QStringLiteral("顶级菜单：各动作直接出现在文件管理器右键菜单；归入：收进「Ondravell ›」子菜单。"));
    style->addRow(nest_);
    nest_->onActivated = [this](int index) { model_.setNestUnder(index == 1); };
    addSection(style);

    auto* actions = new SettingsSection(
        QStringLiteral("启用并排序文件管理器右键动作"),
        QStringLiteral(
            "拖拽调整顺序；关闭的不显示；「条件」按钮设置显示时机；「分组」按钮把动作收进命名子菜单。"));
    actions->rows()->addWidget(list_);
    list_->onMove = [this](const std::set<std::size_t>& sources, std::size_t destination) {
        model_.moveRows(sources, destination);
    };
    list_->onMoveBy = [this](std::size_t index, int distance) { model_.moveRow(index, distance); };
    addSection(actions);

    auto* openWith = new SettingsSection(
        QStringLiteral("打开方式"),
        QStringLiteral(
            "「在终端 / 编辑器打开」将使用所选 App；列表只含已安装的，「自定义…」可挑选任意应用。"));
    auto addPickerRow = [&](const QString& title, QComboBox* picker, bool isTerminal) {
        auto* control = new QWidget;
        auto* layout = new QHBoxLayout(control);
        layout->setContentsMargins(0, 0, 0, 0);
        picker->setFixedWidth(pickerWidth);
        picker->setAccessibleName(title);
        layout->addWidget(picker);
        auto* custom = new QPushButton(QStringLiteral("自定义…"));
        connect(custom, &QPushButton::clicked, this, [this, isTerminal] { model_.addCustomApp(isTerminal); });
        layout->addWidget(custom);
        openWith->addLabelledRow(title, control);
        // `activated` comes only from the user (the list, or keys and the wheel once the picker has the
        // focus: see SettingsPage), never from filling the list.
        connect(picker, &QComboBox::activated, this, [this, picker, isTerminal](int index) {
            if (isTerminal)
                model_.setPreferredTerminal(chosenID(picker, index));
            else
                model_.setPreferredEditor(chosenID(picker, index));
        });
    };
    addPickerRow(QStringLiteral("首选终端"), terminal_, true);
    addPickerRow(QStringLiteral("首选编辑器"), editor_, false);
    addSection(openWith);

    auto* limit = new SettingsSection(
        {}, QStringLiteral("超过上限的文件执行「复制内容 / 复制为 Base64」时会跳过并提示，避免大文件卡死。"));
    sizeLimit_->setRange(static_cast<int>(FinderActionsModel::minCopyMB),
                         static_cast<int>(FinderActionsModel::maxCopyMBLimit));
    sizeLimit_->setSuffix(QStringLiteral(" MB"));
    sizeLimit_->setFixedWidth(stepperWidth);
    sizeLimit_->setAccessibleName(QStringLiteral("复制内容 / Base64 大小上限"));
    // Typed digits count once the field is left or Return is pressed; each arrow click counts at once.
    sizeLimit_->setKeyboardTracking(false);
    connect(sizeLimit_, &QSpinBox::valueChanged, this, [this](int value) { model_.setMaxCopyMB(value); });
    limit->addLabelledRow(QStringLiteral("复制内容 / Base64 大小上限"), sizeLimit_);
    addSection(limit);

    confirmDangerous = [this] { return askDangerous(); };
    model_.setObserver([this] { refresh(); });
}

void FinderActionsSettings::reload() {
    model_.load();
}

FinderActionRow* FinderActionsSettings::row(const std::string& id) const {
    auto found = rows_.find(id);
    return found == rows_.end() ? nullptr : found->second;
}

void FinderActionsSettings::refresh() {
    nest_->setCurrentIndex(model_.nestUnder() ? 1 : 0);
    refreshRows();
    fillPicker(terminal_, QStringLiteral("系统默认（终端）"), model_.installedTerminals(),
               model_.preferredTerminal());
    fillPicker(editor_, QStringLiteral("自动（首个已安装）"), model_.installedEditors(),
               model_.preferredEditor());
    QSignalBlocker blocker(sizeLimit_);
    sizeLimit_->setValue(static_cast<int>(
        std::clamp(model_.maxCopyMB(), FinderActionsModel::minCopyMB, FinderActionsModel::maxCopyMBLimit)));
}

void FinderActionsSettings::refreshRows() {
    std::vector<std::string> groups = model_.existingGroups();
    std::vector<QWidget*> ordered;
    for (const OndravellAction& action : model_.actions()) {
        FinderActionRow*& row = rows_[action.id];
        if (!row) {
            std::string id = action.id;
            row = new FinderActionRow(
                action, {[this, action](bool on) { toggled(action, on); },
                         [this, id](const ActionRule& rule) { model_.setRule(rule, id); },
                         [this, id](const std::optional<std::string>& name) { model_.setGroup(name, id); }});
        }
        row->update({model_.isEnabled(action.id), model_.rule(action.id), model_.group(action.id), groups});
        ordered.push_back(row);
    }
    list_->setRows(ordered);
}

void FinderActionsSettings::fillPicker(QComboBox* picker, const QString& absentTitle,
                                       const std::vector<LaunchableApp>& apps,
                                       const std::optional<std::string>& chosen) {
    QSignalBlocker blocker(picker);
    picker->clear();
    picker->addItem(absentTitle);
    int current = chosen ? -1 : 0;
    for (const LaunchableApp& app : apps) {
        picker->addItem(toQString(app.displayName), toQString(app.bundleID));
        if (chosen && app.bundleID == *chosen)
            current = picker->count() - 1;
    }
    // A choice that is no longer installed stays stored and matches no entry: none is shown as chosen.
    picker->setCurrentIndex(current);
}

void FinderActionsSettings::toggled(const OndravellAction& action, bool on) {
    model_.toggle(action, on);
    if (!model_.pendingDangerousID())
        return;
    if (confirmDangerous && confirmDangerous())
        model_.confirmDangerous();
    else
        model_.cancelDangerous();
}

bool FinderActionsSettings::askDangerous() {
    QMessageBox alert(this);
    alert.setIcon(QMessageBox::Warning);
    alert.setText(QStringLiteral("启用「彻底删除」？"));
    alert.setInformativeText(QStringLiteral("「彻底删除」会永久删除文件、不进回收站、无法恢复。系统右键已自带"
                                            "「移到回收站」，请仅在明确需要时启用。"));
    QPushButton* cancel = alert.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    QPushButton* enable = alert.addButton(QStringLiteral("启用"), QMessageBox::DestructiveRole);
    alert.setDefaultButton(cancel);
    // Wide enough that the warning reads in a few lines rather than a narrow column.
    alert.setStyleSheet(QStringLiteral("QLabel#qt_msgbox_informativelabel { min-width: 300px; }"));
    alert.exec();
    return alert.clickedButton() == enable;
}

} // namespace ondravell
