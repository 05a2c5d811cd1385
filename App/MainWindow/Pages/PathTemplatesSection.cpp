#include "App/MainWindow/Pages/PathTemplatesSection.h"

#include "App/MainWindow/Widgets/QtText.h"
#include "App/MainWindow/Widgets/RemovableRowList.h"
#include "App/MainWindow/Widgets/SettingsSection.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>

namespace ondravell {

namespace {
constexpr int nameFieldWidth = 110;
} // namespace

PathTemplatesSection::PathTemplatesSection(QWidget* parent)
    : QWidget(parent), list_(nullptr), name_(new QLineEdit), template_(new QLineEdit), add_(new QPushButton) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    auto* section = new SettingsSection(
        QStringLiteral("自定义路径格式"),
        QStringLiteral(
            "追加到「复制路径」子菜单。占位符：{path} 全路径、{name} 文件名、{name_noext} 无扩展名、"
            "{ext} 扩展名、{parent} 父目录、{url} file:// 地址。"));
    column->addWidget(section);
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPointSizeF(font().pointSizeF() * 0.9);
    list_ = new RemovableRowList(mono);
    list_->entryAt = [this](std::size_t index) {
        const PathTemplate& entry = model_.templates()[index];
        return RemovableRowList::Entry{toQString(entry.name), toQString(entry.pathTemplate)};
    };
    // A copy: the removal replaces the list the id lives in.
    list_->onRemove = [this](std::size_t index) { model_.remove(std::string(model_.templates()[index].id)); };
    section->rows()->addWidget(list_);

    auto* addRow = new QWidget;
    auto* addLayout = new QHBoxLayout(addRow);
    addLayout->setContentsMargins(0, 2, 0, 2);
    addLayout->setSpacing(6);
    name_->setPlaceholderText(QStringLiteral("名称"));
    name_->setFixedWidth(nameFieldWidth);
    template_->setPlaceholderText(QStringLiteral("模板，如 {parent}/{name_noext}.{ext}"));
    template_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    add_->setText(QStringLiteral("添加"));
    // Return in a field adds nothing: only the button does.
    add_->setAutoDefault(false);
    addLayout->addWidget(name_);
    addLayout->addWidget(template_, 1);
    addLayout->addWidget(add_);
    section->rows()->addWidget(addRow);

    connect(name_, &QLineEdit::textEdited, this, [this](const QString& text) {
        model_.newName = text.toStdString();
        add_->setEnabled(model_.canAdd());
    });
    connect(template_, &QLineEdit::textEdited, this, [this](const QString& text) {
        model_.newTemplate = text.toStdString();
        add_->setEnabled(model_.canAdd());
    });
    connect(add_, &QPushButton::clicked, this, [this] {
        if (model_.canAdd())
            model_.add();
    });
    model_.setObserver([this] { refresh(); });
    add_->setEnabled(false);
}

void PathTemplatesSection::refresh() {
    list_->setCount(model_.templates().size());
    QSignalBlocker nameBlocker(name_);
    QSignalBlocker templateBlocker(template_);
    name_->setText(toQString(model_.newName));
    template_->setText(toQString(model_.newTemplate));
    add_->setEnabled(model_.canAdd());
}

void PathTemplatesSection::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        reload();
}

} // namespace ondravell
