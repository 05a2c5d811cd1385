#include "App/MainWindow/Widgets/ApplicationChooserDialog.h"

#include "App/MainWindow/Widgets/QtText.h"
#include "App/MainWindow/Widgets/SymbolIcons.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace ondravell {

namespace {

constexpr int iconSide = 24;
constexpr int dialogWidth = 380;
constexpr int dialogHeight = 460;

QIcon applicationIcon(const std::string& icon, const QIcon& fallback) {
    if (icon.empty())
        return fallback;
    const QString name = toQString(icon);
    QIcon found = name.startsWith(QLatin1Char('/')) ? QIcon(name) : QIcon::fromTheme(name);
    return found.isNull() ? fallback : found;
}

} // namespace

ApplicationChooserDialog::ApplicationChooserDialog(std::vector<platform::InstalledApplication> choices,
                                                   QWidget* parent)
    : QDialog(parent),
      filter_(std::move(choices)),
      search_(new QLineEdit),
      list_(new QListWidget),
      choose_(new QPushButton(QStringLiteral("选择"))) {
    setWindowTitle(QStringLiteral("选择应用"));
    resize(dialogWidth, dialogHeight);
    auto* column = new QVBoxLayout(this);
    search_->setPlaceholderText(QStringLiteral("搜索应用"));
    search_->setClearButtonEnabled(true);
    search_->setAccessibleName(QStringLiteral("搜索应用"));
    column->addWidget(search_);
    list_->setIconSize(QSize(iconSide, iconSide));
    list_->setUniformItemSizes(true);
    list_->setAccessibleName(QStringLiteral("应用"));
    column->addWidget(list_, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* cancel = new QPushButton(QStringLiteral("取消"));
    cancel->setAutoDefault(false);
    buttons->addWidget(cancel);
    choose_->setDefault(true);
    buttons->addWidget(choose_);
    column->addLayout(buttons);

    connect(search_, &QLineEdit::textChanged, this, [this](const QString& text) {
        filter_.setText(text.toStdString());
        refill();
    });
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) { choose_->setEnabled(row >= 0); });
    connect(list_, &QListWidget::itemActivated, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(choose_, &QPushButton::clicked, this, [this] {
        if (chosen())
            accept();
    });
    refill();
    search_->setFocus();
}

void ApplicationChooserDialog::refill() {
    const QIcon fallback = QIcon::fromTheme(QStringLiteral("application-x-executable"),
                                            symbolIcon("cube", palette().color(QPalette::Text)));
    list_->clear();
    for (const platform::InstalledApplication& app : filter_.shown()) {
        auto* item = new QListWidgetItem(applicationIcon(app.icon, fallback), toQString(app.displayName));
        item->setData(Qt::UserRole, toQString(app.identifier));
        item->setToolTip(toQString(app.identifier));
        list_->addItem(item);
    }
    // The first match is selected, so that Return in the search field chooses it.
    list_->setCurrentRow(list_->count() > 0 ? 0 : -1);
    choose_->setEnabled(list_->count() > 0);
}

std::optional<std::string> ApplicationChooserDialog::chosen() const {
    const QListWidgetItem* item = list_->currentItem();
    if (!item)
        return std::nullopt;
    return item->data(Qt::UserRole).toString().toStdString();
}

std::optional<std::string>
ApplicationChooserDialog::choose(const std::vector<platform::InstalledApplication>& choices) {
    ApplicationChooserDialog dialog(choices, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosen();
}

} // namespace ondravell
