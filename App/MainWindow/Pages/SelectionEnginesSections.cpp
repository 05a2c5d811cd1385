#include "App/MainWindow/Pages/SelectionEnginesSections.h"

#include "App/MainWindow/Widgets/FontWarmUp.h"
#include "App/MainWindow/Widgets/QtText.h"
#include "App/MainWindow/Widgets/RemovableRowList.h"
#include "App/MainWindow/Widgets/SettingsSection.h"
#include "App/MainWindow/Widgets/SymbolIcons.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>

namespace ondravell {

namespace {

constexpr int nameFieldWidth = 90;
constexpr int pickerWidth = 220;
// The caption beneath a row's title: the engine's template.
constexpr double captionScale = 0.8;

RemovableRowList* addRowList(SettingsSection* section, const QFont& detailFont) {
    auto* rows = new RemovableRowList(detailFont);
    rows->rowLayout()->setSpacing(0);
    section->rows()->addWidget(rows);
    return rows;
}

} // namespace

SelectionEnginesSections::SelectionEnginesSections(SelectionEnginesModel::Services services, QWidget* parent)
    : QWidget(parent), buildTurn_(this), model_(services), addApp_(new QPushButton) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(18);

    auto* search = new SettingsSection(QStringLiteral("默认搜索引擎"));
    buildEngineSection(search, List::search, QStringLiteral("搜索引擎"), QStringLiteral("https://…?q={q}"));
    column->addWidget(search);

    auto* ai = new SettingsSection(
        QStringLiteral("问 AI"),
        QStringLiteral(
            "浮条「问 AI」把选中文本发给所选目标。默认优先「仅预填」——文本填入输入框、可编辑后再发送"
            "（Claude/Claude Code/Cursor/Kimi/HuggingChat）；带 ⚡ 的目标不支持预填、打开即直接发送。"
            "Claude 未装桌面 App 时自动回退网页版；自定义模板支持任意深链。"));
    buildEngineSection(ai, List::ai, QStringLiteral("默认 AI"), QStringLiteral("深链或网址模板，{q} 为问题"));
    column->addWidget(ai);

    auto* excluded = new SettingsSection(QStringLiteral("禁用的 App"),
                                         QStringLiteral("在这些 App 里不弹出划词条（如密码管理器、终端）。"));
    blacklistRows_ = addRowList(excluded, font());
    blacklistRows_->entryAt = [this](std::size_t index) {
        return RemovableRowList::Entry{toQString(model_.appName(model_.blacklist()[index])), {}};
    };
    // A copy: the removal replaces the list the identifier lives in.
    blacklistRows_->onRemove = [this](std::size_t index) {
        model_.removeBlacklist(std::string(model_.blacklist()[index]));
    };
    addApp_->setText(QStringLiteral("添加禁用 App…"));
    addApp_->setIcon(symbolIcon("plus", palette().color(QPalette::ButtonText)));
    connect(addApp_, &QPushButton::clicked, this, [this] { model_.addBlacklistApp(); });
    excluded->rows()->addWidget(addApp_, 0, Qt::AlignLeft);
    column->addWidget(excluded);

    model_.setObserver([this] { refresh(); });
    // Read now, so that the page's first showing lays the sections out once.
    model_.load();
}

void SelectionEnginesSections::warmUp(QPainter& painter) {
    warmUpFonts(painter, {scaledFont(QApplication::font(), captionScale),
                          QFontDatabase::systemFont(QFontDatabase::FixedFont)});
}

void SelectionEnginesSections::buildEngineSection(SettingsSection* section, List list,
                                                  const QString& pickerLabel,
                                                  const QString& templatePlaceholder) {
    EngineControls& c = list == List::search ? search_ : ai_;
    c.picker = new QComboBox;
    c.picker->setMinimumWidth(pickerWidth);
    c.picker->setAccessibleName(pickerLabel);
    // `activated` comes only from the user (the list, or keys and the wheel once the picker has the focus:
    // see SettingsPage), never from filling the list.
    connect(c.picker, &QComboBox::activated, this, [this, list](int index) {
        model_.choose(list, controls(list).picker->itemData(index).toString().toStdString());
    });
    section->addLabelledRow(pickerLabel, c.picker);
    c.rows = addRowList(section, scaledFont(font(), captionScale));
    c.rows->entryAt = [this, list](std::size_t index) {
        const SearchEngine& engine = model_.custom(list)[index];
        return RemovableRowList::Entry{toQString(engine.name), toQString(engine.urlTemplate)};
    };
    c.rows->onRemove = [this, list](std::size_t index) {
        model_.remove(list, model_.custom(list)[index].id);
    };

    auto* addRow = new QWidget;
    auto* layout = new QHBoxLayout(addRow);
    layout->setContentsMargins(0, 2, 0, 2);
    layout->setSpacing(6);
    c.name = new QLineEdit;
    c.name->setPlaceholderText(QStringLiteral("名称"));
    c.name->setFixedWidth(nameFieldWidth);
    c.urlTemplate = new QLineEdit;
    c.urlTemplate->setPlaceholderText(templatePlaceholder);
    c.urlTemplate->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    c.add = new QPushButton(QStringLiteral("添加"));
    // Return in a field adds nothing: only the button does.
    c.add->setAutoDefault(false);
    layout->addWidget(c.name);
    layout->addWidget(c.urlTemplate, 1);
    layout->addWidget(c.add);
    section->rows()->addWidget(addRow);
    // Why a template with the placeholder still cannot be added.
    c.refusal = new QLabel(QStringLiteral("只能添加 http、https 或已安装 App 能打开的深链模板。"));
    c.refusal->setForegroundRole(QPalette::PlaceholderText);
    c.refusal->setWordWrap(true);
    c.refusal->hide();
    section->rows()->addWidget(c.refusal);

    connect(c.name, &QLineEdit::textEdited, this, [this, list](const QString& text) {
        typing_ = true;
        model_.setNewName(list, text.toStdString());
        typing_ = false;
    });
    connect(c.urlTemplate, &QLineEdit::textEdited, this, [this, list](const QString& text) {
        typing_ = true;
        model_.setNewTemplate(list, text.toStdString());
        typing_ = false;
    });
    connect(c.add, &QPushButton::clicked, this, [this, list] { model_.add(list); });
}

void SelectionEnginesSections::refresh() {
    for (List list : {List::search, List::ai}) {
        // Typing changes only the add row: the lists are left as they are.
        if (!typing_)
            refreshEngines(list);
        refreshAddRow(list);
    }
    if (!typing_)
        refreshBlacklist();
}

void SelectionEnginesSections::refreshEngines(List list) {
    const EngineControls& c = controls(list);
    {
        QSignalBlocker blocker(c.picker);
        c.picker->clear();
        for (const SearchEngine& engine : model_.options(list))
            c.picker->addItem(toQString(SelectionEnginesModel::optionTitle(list, engine)),
                              toQString(engine.id));
        c.picker->setCurrentIndex(c.picker->findData(toQString(model_.chosenID(list))));
    }
    c.rows->setCount(model_.custom(list).size());
}

void SelectionEnginesSections::refreshAddRow(List list) {
    const EngineControls& c = controls(list);
    if (c.name->text().toStdString() != model_.newName(list))
        c.name->setText(toQString(model_.newName(list)));
    if (c.urlTemplate->text().toStdString() != model_.newTemplate(list))
        c.urlTemplate->setText(toQString(model_.newTemplate(list)));
    c.add->setEnabled(model_.canAdd(list));
    const bool hasPlaceholder =
        model_.newTemplate(list).find(SearchEngine::queryPlaceholder) != std::string::npos;
    c.refusal->setVisible(hasPlaceholder && !model_.newTemplateIsOpenable(list));
}

void SelectionEnginesSections::refreshBlacklist() {
    blacklistRows_->setCount(model_.blacklist().size());
}

QVBoxLayout* SelectionEnginesSections::customRows(List list) const {
    return controls(list).rows->rowLayout();
}

QVBoxLayout* SelectionEnginesSections::excludedRows() const {
    return blacklistRows_->rowLayout();
}

void SelectionEnginesSections::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous() && !buildTurn_.current())
        reload();
}

} // namespace ondravell
