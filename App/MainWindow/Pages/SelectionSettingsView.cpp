#include "App/MainWindow/Pages/SelectionSettingsView.h"

#include "App/MainWindow/Widgets/FontWarmUp.h"
#include "App/MainWindow/Widgets/KeyRecorderField.h"
#include "App/MainWindow/Widgets/QtText.h"
#include "App/MainWindow/Widgets/ReorderableRowList.h"
#include "App/MainWindow/Widgets/SegmentedControl.h"
#include "App/MainWindow/Widgets/SettingsSection.h"
#include "App/MainWindow/Widgets/SymbolLabel.h"
#include "App/Selection/SelectionBarStyle.h"
#include "App/Selection/SelectionGlyphView.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <array>

namespace ondravell {

namespace {

constexpr double glyphBaseSize = 12;
constexpr int glyphFrameWidth = 34;
constexpr double captionScale = 0.9;
const QColor orange(0xe6, 0x7e, 0x00);

// The segments of "浮条按钮", in their order.
constexpr std::array<SelectionBarStyle, 3> barStyles{SelectionBarStyle::iconText, SelectionBarStyle::text,
                                                     SelectionBarStyle::icon};
constexpr std::array<std::string_view, 3> barStyleValues{
    OndravellSettings::barStyleIconText, OndravellSettings::barStyleText, OndravellSettings::barStyleIcon};

int segmentOf(const std::string& raw) {
    std::optional<SelectionBarStyle> style = selectionBarStyleNamed(raw);
    for (std::size_t i = 0; i < barStyles.size(); ++i)
        if (style == barStyles[i])
            return static_cast<int>(i);
    return -1; // a value the picker does not offer: none shows as chosen
}

QLabel* caption(const QString& text, const QFont& base) {
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    label->setForegroundRole(QPalette::PlaceholderText);
    label->setFont(scaledFont(base, captionScale));
    return label;
}

} // namespace

SelectionSettingsView::SelectionSettingsView(SelectionSettingsModel::Services services,
                                             const platform::KeyboardLayout* layout, QWidget* parent)
    : SettingsPage(parent),
      buildTurn_(this),
      model_(std::move(services)),
      enabled_(new QCheckBox(QStringLiteral("启用划词（选中文本弹出快捷操作条）"))),
      trustWarning_(new QWidget),
      auto_(new QRadioButton(QStringLiteral("选中即弹出"))),
      hotKeyOnly_(new QRadioButton(QStringLiteral("仅快捷键触发"))),
      recorder_(new KeyRecorderField(layout)),
      style_(new SegmentedControl(
          {{QStringLiteral("图标+文字")}, {QStringLiteral("单文字")}, {QStringLiteral("单图标")}})),
      list_(new ReorderableRowList) {
    auto* main = new SettingsSection(QStringLiteral("划词"));
    main->addRow(enabled_);
    connect(enabled_, &QCheckBox::clicked, this, [this](bool on) { model_.setEnabled(on); });
    // Trust here is the X server's (XWayland's in a GNOME Wayland session): XInput 2 and XTest. There is
    // no permission to ask for.
    auto* warningLayout = new QHBoxLayout(trustWarning_);
    warningLayout->setContentsMargins(0, 0, 0, 0);
    QWidget* warning =
        makeSymbolLabel("exclamationmark.triangle.fill",
                        QStringLiteral("需要 X11 会话或 GNOME Wayland 会话才能读取选中文本"), orange);
    warning->setFont(scaledFont(warning->font(), captionScale));
    warningLayout->addWidget(warning, 1);
    main->rows()->addWidget(trustWarning_);
    // What the session lacks beyond that (a Wayland session without the Shell extension), and how to
    // get it.
    if (const std::optional<std::string>& missing = model_.missingServices()) {
        servicesWarning_ =
            makeSymbolLabel("exclamationmark.triangle.fill", QString::fromStdString(*missing), orange);
        servicesWarning_->setFont(scaledFont(servicesWarning_->font(), captionScale));
        main->rows()->addWidget(servicesWarning_);
    }
    main->rows()->addWidget(caption(
        QStringLiteral("划词在任意 App 里选中文本后弹出小工具条（翻译、搜索、转换等）。支持 X11 会话和 GNOME "
                       "Wayland 会话：其他 Wayland 桌面下不可用。"),
        font()));
    addSection(main);

    auto* trigger = new SettingsSection(
        QStringLiteral("触发方式"),
        QStringLiteral(
            "注意：Chrome 内核类应用（Electron 等，如 Chrome、VS Code、微信）通常不支持「选中即弹出」。"
            "请设置浮条快捷键——在这些 App 里选中后按快捷键即可（快捷键触发会自动用剪贴板兜底读取，"
            "剪贴板内容会恢复）。"));
    auto* choices = new QWidget;
    auto* choiceLayout = new QVBoxLayout(choices);
    choiceLayout->setContentsMargins(0, 0, 0, 0);
    auto* group = new QButtonGroup(choices);
    for (QRadioButton* button : {auto_, hotKeyOnly_}) {
        group->addButton(button);
        choiceLayout->addWidget(button);
        // `clicked` comes only from the user, and a click on the chosen one changes nothing.
        connect(button, &QRadioButton::clicked, this, [this, button] {
            if ((button == auto_) != model_.triggerAuto())
                model_.setTriggerAuto(button == auto_);
        });
    }
    trigger->addLabelledRow(QStringLiteral("触发方式"), choices);
    recorder_->onChange = [this](const std::optional<HotKeySpec>& hotKey) { model_.setHotKey(hotKey); };
    trigger->addLabelledRow(QStringLiteral("浮条快捷键"), recorder_);
    addToolbarSection(trigger);

    auto* style = new SettingsSection(QStringLiteral("按钮样式"));
    style_->onActivated = [this](int index) {
        if (index >= 0 && index < static_cast<int>(barStyleValues.size()))
            model_.setBarStyle(std::string(barStyleValues[static_cast<std::size_t>(index)]));
    };
    style->addLabelledRow(QStringLiteral("浮条按钮"), style_);
    addToolbarSection(style);

    auto* actions = new SettingsSection(QStringLiteral("浮条动作（拖拽排序）"),
                                        QStringLiteral("计算/时间戳/颜色仅在选中内容匹配时才出现。"));
    actions->rows()->addWidget(list_);
    list_->onMove = [this](const std::set<std::size_t>& sources, std::size_t destination) {
        model_.moveActions(sources, destination);
    };
    list_->onMoveBy = [this](std::size_t index, int distance) { model_.moveAction(index, distance); };
    addToolbarSection(actions);

    for (const SelectionAction& action : SelectionAction::builtins())
        rows_.emplace(std::string(action.id()), makeActionRow(action));
    model_.setObserver([this] { refresh(); });
    // Read now rather than when the page shows, so that its first showing lays it out and draws it
    // once, with the sections the settings ask for.
    model_.load();
}

void SelectionSettingsView::warmUp(QPainter& painter) {
    const QFont base = QApplication::font();
    QFont title = base; // the sections' titles
    title.setBold(true);
    warmUpFonts(painter, {base, title, scaledFont(base, captionScale)});
    const QColor colour = QApplication::palette().color(QPalette::WindowText);
    for (const SelectionAction& action : SelectionAction::builtins())
        SelectionGlyphView::paintGlyph(painter, QPointF(0, 0), action, glyphBaseSize, colour);
}

QWidget* SelectionSettingsView::makeActionRow(const SelectionAction& action) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 2, 0, 2);
    auto* glyph = new SelectionGlyphView(action, glyphBaseSize);
    glyph->setMinimumWidth(glyphFrameWidth);
    layout->addWidget(glyph, 0, Qt::AlignCenter);
    const QString title = toQString(action.localizedTitle());
    layout->addWidget(new QLabel(title));
    layout->addStretch(1);
    auto* toggle = new QCheckBox;
    toggle->setAccessibleName(title);
    connect(toggle, &QCheckBox::clicked, this,
            [this, id = std::string(action.id())](bool on) { model_.setActionEnabled(id, on); });
    layout->addWidget(toggle);
    switches_.emplace(std::string(action.id()), toggle);
    return row;
}

void SelectionSettingsView::addToolbarSection(QWidget* section) {
    toolbarSections_.push_back(section);
    section->setVisible(model_.enabled());
    addWidget(section);
}

QCheckBox* SelectionSettingsView::actionSwitch(std::string_view id) const {
    auto found = switches_.find(id);
    return found == switches_.end() ? nullptr : found->second;
}

void SelectionSettingsView::reload() {
    if (!buildTurn_.current())
        model_.load();
}

void SelectionSettingsView::refresh() {
    enabled_->setChecked(model_.enabled());
    trustWarning_->setVisible(model_.enabled() && !model_.trusted());
    if (servicesWarning_)
        servicesWarning_->setVisible(model_.enabled() && model_.trusted());
    for (QWidget* section : toolbarSections_)
        section->setVisible(model_.enabled());
    (model_.triggerAuto() ? auto_ : hotKeyOnly_)->setChecked(true);
    recorder_->setHotKey(model_.hotKey());
    style_->setCurrentIndex(segmentOf(model_.barStyle()));
    refreshRows();
}

void SelectionSettingsView::refreshRows() {
    std::vector<QWidget*> ordered;
    for (const SelectionAction& action : model_.orderedActions()) {
        const std::string id(action.id());
        switches_.at(id)->setChecked(model_.isActionEnabled(id));
        ordered.push_back(rows_.at(id));
    }
    list_->setRows(ordered);
}

} // namespace ondravell
