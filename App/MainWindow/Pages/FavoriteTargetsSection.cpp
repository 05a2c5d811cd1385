#include "App/MainWindow/Pages/FavoriteTargetsSection.h"

#include "App/MainWindow/Widgets/ListRows.h"
#include "App/MainWindow/Widgets/QtText.h"
#include "App/MainWindow/Widgets/SettingsSection.h"
#include "App/MainWindow/Widgets/SymbolIcons.h"
#include "App/Widgets/ElidedLabel.h"
#include "App/Widgets/PlainToolTip.h"
#include "core/Support/PathRules.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>

namespace ondravell {

namespace {
constexpr int iconSize = 16;
} // namespace

FavoriteTargetsSection::FavoriteTargetsSection(platform::FileDialog& dialog, QWidget* parent)
    : QWidget(parent), model_(dialog), list_(new QVBoxLayout), add_(new QPushButton) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    auto* section = new SettingsSection(
        QStringLiteral("收藏目标"), QStringLiteral("右键「复制到 / 移动到」子菜单里的固定目录，最多 8 个。"));
    column->addWidget(section);
    list_->setContentsMargins(0, 0, 0, 0);
    auto* rows = new QWidget;
    rows->setLayout(list_);
    section->rows()->addWidget(rows);
    add_->setText(QStringLiteral("添加收藏目标…"));
    add_->setIcon(symbolIcon("plus", palette().color(QPalette::ButtonText)));
    section->rows()->addWidget(add_, 0, Qt::AlignLeft);
    connect(add_, &QPushButton::clicked, this, [this] { model_.add(); });
    model_.setObserver([this] { refresh(); });
}

void FavoriteTargetsSection::refresh() {
    removeRowsLater(list_);
    for (const std::string& path : model_.favorites()) {
        auto* row = new QWidget;
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(0, 2, 0, 2);
        auto* icon = new QLabel;
        icon->setPixmap(
            symbolIcon("folder", palette().color(QPalette::Highlight)).pixmap(iconSize, iconSize));
        layout->addWidget(icon);
        auto* name = new QLabel(toQString(PathRules::lastPathComponent(path)));
        name->setTextFormat(Qt::PlainText);
        layout->addWidget(name);
        auto* full = new ElidedLabel(toQString(path), Qt::ElideMiddle);
        full->setToolTip(plainToolTip(toQString(path)));
        full->setForegroundRole(QPalette::PlaceholderText);
        QFont small = full->font();
        small.setPointSizeF(small.pointSizeF() * 0.85);
        full->setFont(small);
        layout->addWidget(full, 1);
        QToolButton* remove = makeDeleteButton();
        connect(remove, &QToolButton::clicked, this, [this, path] { model_.remove(path); });
        layout->addWidget(remove);
        list_->addWidget(row);
    }
    add_->setEnabled(model_.canAdd());
}

void FavoriteTargetsSection::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        reload();
}

} // namespace ondravell
