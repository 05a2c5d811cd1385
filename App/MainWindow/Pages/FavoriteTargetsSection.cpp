#include "App/MainWindow/Pages/FavoriteTargetsSection.h"

#include "App/MainWindow/Widgets/QtText.h"
#include "App/MainWindow/Widgets/RemovableRowList.h"
#include "App/MainWindow/Widgets/SettingsSection.h"
#include "App/MainWindow/Widgets/SymbolIcons.h"
#include "core/Support/PathRules.h"

#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace ondravell {

FavoriteTargetsSection::FavoriteTargetsSection(platform::FileDialog& dialog, QWidget* parent)
    : QWidget(parent), model_(dialog), list_(nullptr), add_(new QPushButton) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    auto* section = new SettingsSection(
        QStringLiteral("收藏目标"), QStringLiteral("右键「复制到 / 移动到」子菜单里的固定目录，最多 8 个。"));
    column->addWidget(section);
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    list_ = new RemovableRowList(small, symbolIcon("folder", palette().color(QPalette::Highlight)));
    list_->entryAt = [this](std::size_t index) {
        const std::string& path = model_.favorites()[index];
        return RemovableRowList::Entry{toQString(PathRules::lastPathComponent(path)), toQString(path)};
    };
    // A copy: the removal replaces the list the path lives in.
    list_->onRemove = [this](std::size_t index) { model_.remove(std::string(model_.favorites()[index])); };
    section->rows()->addWidget(list_);
    add_->setText(QStringLiteral("添加收藏目标…"));
    add_->setIcon(symbolIcon("plus", palette().color(QPalette::ButtonText)));
    section->rows()->addWidget(add_, 0, Qt::AlignLeft);
    connect(add_, &QPushButton::clicked, this, [this] { model_.add(); });
    model_.setObserver([this] { refresh(); });
}

void FavoriteTargetsSection::refresh() {
    list_->setCount(model_.favorites().size());
    add_->setEnabled(model_.canAdd());
}

void FavoriteTargetsSection::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        reload();
}

} // namespace ondravell
