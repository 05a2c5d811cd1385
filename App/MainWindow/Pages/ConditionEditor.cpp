#include "App/MainWindow/Pages/ConditionEditor.h"

#include "App/MainWindow/Widgets/QtText.h"
#include "App/MainWindow/Widgets/SegmentedControl.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace ondravell {

namespace {

constexpr int editorWidth = 300;
constexpr int countWidth = 34;

QLabel* caption(const QString& text) {
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    label->setForegroundRole(QPalette::PlaceholderText);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 0.85);
    label->setFont(font);
    return label;
}

template <class Value, std::size_t N> int indexOf(const std::array<Value, N>& values, Value value) {
    for (std::size_t i = 0; i < N; ++i)
        if (values[i] == value)
            return static_cast<int>(i);
    return -1;
}

} // namespace

ConditionEditor::ConditionEditor(const OndravellAction& action, const ActionRule& rule,
                                 std::function<void(const ActionRule&)> onChange, QWidget* parent)
    : QFrame(parent), model_(action, rule, std::move(onChange)) {
    setFixedWidth(editorWidth);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(14, 14, 14, 14);
    column->setSpacing(12);

    auto* header = new QVBoxLayout;
    header->setSpacing(2);
    auto* title =
        new QLabel(QStringLiteral("「") + toQString(action.localizedTitle()) + QStringLiteral("」显示条件"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    header->addWidget(title);
    header->addWidget(caption(QStringLiteral("与动作内置规则取交集，只能进一步收窄。")));
    column->addLayout(header);

    auto addPicker = [&](const QString& label, std::vector<SegmentedControl::Segment> segments) {
        auto* row = new QHBoxLayout;
        row->addWidget(new QLabel(label));
        picker_ = new SegmentedControl(std::move(segments));
        row->addWidget(picker_, 1);
        column->addLayout(row);
    };
    if (action.isContainerAction) {
        addPicker(
            QStringLiteral("显示位置"),
            {{QStringLiteral("任意位置")}, {QStringLiteral("仅空白处")}, {QStringLiteral("仅文件夹上")}});
        picker_->onActivated = [this](int index) {
            model_.setContainerScope(ActionRule::allContainerScopes[static_cast<std::size_t>(index)]);
            refresh();
        };
        column->addWidget(caption(
            QStringLiteral("该动作作用于当前目录（新文件建在此目录下），按位置筛选，不针对选中项。")));
    } else {
        addPicker(
            QStringLiteral("适用对象"),
            {{QStringLiteral("文件和文件夹")}, {QStringLiteral("仅文件")}, {QStringLiteral("仅文件夹")}});
        picker_->onActivated = [this](int index) {
            model_.setAppliesTo(ActionRule::allTargetKinds[static_cast<std::size_t>(index)]);
            refresh();
        };
        column->addWidget(countRow(QStringLiteral("最少选中"), 0));
        column->addWidget(countRow(QStringLiteral("最多选中"), 1));
        auto* extensionsColumn = new QVBoxLayout;
        extensionsColumn->setSpacing(3);
        extensionsColumn->addWidget(new QLabel(QStringLiteral("扩展名限定")));
        extensions_ = new QLineEdit(toQString(model_.extensionsText()));
        extensions_->setPlaceholderText(QStringLiteral("如 png, jpg, pdf（留空 = 不限）"));
        // Only the user's typing: the field keeps exactly what is typed, and the model keeps the list.
        connect(extensions_, &QLineEdit::textEdited, this, [this](const QString& text) {
            model_.setExtensionsText(text.toStdString());
            refresh();
        });
        extensionsColumn->addWidget(extensions_);
        column->addLayout(extensionsColumn);
    }

    auto* footer = new QHBoxLayout;
    clear_ = new QPushButton(QStringLiteral("清除条件"));
    connect(clear_, &QPushButton::clicked, this, [this] {
        model_.clear();
        if (extensions_)
            extensions_->setText(toQString(model_.extensionsText()));
        refresh();
    });
    footer->addWidget(clear_);
    footer->addStretch(1);
    column->addLayout(footer);
    refresh();
}

QWidget* ConditionEditor::countRow(const QString& title, int count) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(new QLabel(title));
    layout->addStretch(1);
    auto* value = new QLabel;
    value->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    value->setMinimumWidth(countWidth);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    countLabels_[count] = value;
    layout->addWidget(value);
    for (int delta : {-1, 1}) {
        auto* button = new QToolButton;
        button->setArrowType(delta < 0 ? Qt::DownArrow : Qt::UpArrow);
        button->setAccessibleName(title + (delta < 0 ? QStringLiteral(" −") : QStringLiteral(" +")));
        button->setAutoRepeat(true);
        connect(button, &QToolButton::clicked, this, [this, count, delta] { step(count, delta); });
        steppers_[count][delta < 0 ? 0 : 1] = button;
        layout->addWidget(button);
    }
    return row;
}

QToolButton* ConditionEditor::stepButton(int count, int delta) const {
    return steppers_[count][delta < 0 ? 0 : 1];
}

void ConditionEditor::step(int count, int delta) {
    if (count == 0)
        model_.stepMinSelection(delta);
    else
        model_.stepMaxSelection(delta);
    refresh();
}

void ConditionEditor::refresh() {
    const ActionRule& rule = model_.rule();
    if (model_.action().isContainerAction) {
        picker_->setCurrentIndex(indexOf(ActionRule::allContainerScopes, rule.containerScope));
    } else {
        picker_->setCurrentIndex(indexOf(ActionRule::allTargetKinds, rule.appliesTo));
        const std::optional<std::int64_t>* counts[2] = {&rule.minSelection, &rule.maxSelection};
        for (int i = 0; i < 2; ++i) {
            countLabels_[i]->setText(toQString(ConditionEditorModel::countText(*counts[i])));
            std::int64_t value = counts[i]->value_or(0);
            steppers_[i][0]->setEnabled(value > 0);
            steppers_[i][1]->setEnabled(value < ConditionEditorModel::maxCount);
        }
    }
    clear_->setEnabled(model_.canClear());
}

} // namespace ondravell
