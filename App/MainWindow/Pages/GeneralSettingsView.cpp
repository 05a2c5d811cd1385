#include "App/MainWindow/Pages/GeneralSettingsView.h"

#include "App/Host/FinderExtensionGuide.h"
#include "App/MainWindow/Pages/FinderExtensionStatusRow.h"
#include "App/MainWindow/Pages/FullDiskAccessRow.h"
#include "App/MainWindow/Pages/ICloudSyncRow.h"
#include "App/MainWindow/Widgets/SettingsSection.h"
#include "App/MainWindow/Widgets/SymbolLabel.h"
#include "App/Services/SoftwareUpdateRow.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace ondravell {

namespace {

constexpr int iconSize = 52;
const QColor green(0x2e, 0x9e, 0x44);
const QColor orange(0xe6, 0x7e, 0x00);

QLabel* note(const QString& text) {
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    label->setForegroundRole(QPalette::PlaceholderText);
    QFont small = label->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    label->setFont(small);
    return label;
}

QWidget* identityRow() {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 4, 0, 4);
    layout->setSpacing(12);
    auto* icon = new QLabel;
    icon->setPixmap(QApplication::windowIcon().pixmap(iconSize, iconSize));
    icon->setVisible(!QApplication::windowIcon().isNull());
    layout->addWidget(icon);
    auto* column = new QVBoxLayout;
    column->setSpacing(2);
    auto* title = new QLabel(QStringLiteral("Ondravell · 小欧"));
    QFont font = title->font();
    font.setPointSizeF(font.pointSizeF() * 1.4);
    font.setBold(true);
    title->setFont(font);
    column->addWidget(title);
    auto* subtitle = new QLabel(QStringLiteral("Linux 右键增强工具"));
    subtitle->setForegroundRole(QPalette::PlaceholderText);
    column->addWidget(subtitle);
    layout->addLayout(column, 1);
    return row;
}

// The folder as the user would type it: the home folder as "~".
QString folderText(const std::filesystem::path& folder) {
    QString path = QString::fromStdString(folder.string());
    const QString home = QDir::homePath();
    if (path == home || path.startsWith(home + QLatin1Char('/')))
        return QLatin1Char('~') + path.mid(home.size());
    return path;
}

// The locale's short date and time, as a line about a past event says it.
QString localDateTime(double secondsSince1970) {
    QDateTime at = QDateTime::fromMSecsSinceEpoch(qint64(secondsSince1970 * 1000.0));
    QLocale locale;
    return locale.toString(at.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           locale.toString(at.time(), QLocale::ShortFormat);
}

} // namespace

GeneralSettingsView::GeneralSettingsView(GeneralModel::Services services,
                                         platform::SystemSettingsOpener* opener, UpdateChecker& updateChecker,
                                         QWidget* parent)
    : SettingsPage(parent),
      model_(std::move(services)),
      opener_(opener),
      launchAtLogin_(new QCheckBox(QStringLiteral("开机时自动启动"))),
      hideIcon_(new QCheckBox(QStringLiteral("隐藏菜单栏图标"))),
      extension_(new SettingsSection(QStringLiteral("文件管理器扩展"))),
      cloud_(new ICloudSyncRow(model_)),
      export_(new QPushButton(QStringLiteral("导出配置…"))),
      import_(new QPushButton(QStringLiteral("导入配置…"))) {
    auto* identity = new SettingsSection({});
    identity->addRow(identityRow());
    addSection(identity);

    auto* startup = new SettingsSection(QStringLiteral("启动与显示"));
    startup->addRow(launchAtLogin_);
    startup->addRow(hideIcon_);
    startup->addRow(
        note(QStringLiteral("隐藏后可在应用程序菜单中再次打开 Ondravell 来显示图标或打开设置。")));
    addSection(startup);
    // `toggled` from the user's click only: the page sets the boxes with their signals blocked.
    connect(launchAtLogin_, &QCheckBox::toggled, this, [this](bool on) {
        model_.setLaunchAtLogin(on);
        QSignalBlocker blocker(launchAtLogin_);
        launchAtLogin_->setChecked(model_.launchAtLogin());
    });
    connect(hideIcon_, &QCheckBox::toggled, this, [this](bool on) { model_.setHideMenuBarIcon(on); });

    addSection(extension_);

    addSection(new FullDiskAccessRow);

    auto* cloud = new SettingsSection(QStringLiteral("云盘同步"));
    cloud->addRow(cloud_);
    addSection(cloud);
    // The sync line follows the sync while the page stays open: paused, failed, going again, synced.
    model_.setOnSyncChange([this] { cloud_->refresh(); });

    auto* update = new SettingsSection(QStringLiteral("软件更新"));
    update->addRow(new SoftwareUpdateRow(updateChecker));
    addSection(update);

    auto* backup = new SettingsSection(QStringLiteral("配置备份"));
    backup->addRow(backupRow());
    addSection(backup);

    auto* help = new SettingsSection(QStringLiteral("云盘与脚本菜单"));
    help->addRow(makeSymbolLabel(
        "icloud",
        QStringLiteral("网络位置、回收站等没有本地路径的位置里不显示一级右键菜单。改用右键菜单里的「脚本 ›」"
                       "子菜单：复制路径 / 计算哈希 / 在终端打开。")));
    help->addRow(note(
        QStringLiteral("脚本随 App 启动自动放入 "
                       "~/.local/share/nautilus/scripts/、无需手动开启。用法：文件管理器里选中文件 → 右键 → "
                       "展开「脚本」→ 点带「（小欧）」的项：复制路径 / 复制文件 / 移动到… / 新建文件 / "
                       "在终端打开 / 计算哈希。"
                       "若列表里没有，可重新启动 Ondravell，它会补回缺少的脚本。")));
    addSection(help);
}

QCheckBox* GeneralSettingsView::cloudSyncSwitch() const {
    return cloud_->cloudSyncSwitch();
}

QLabel* GeneralSettingsView::lastSyncLine() const {
    return cloud_->lastSyncLine();
}

void GeneralSettingsView::reload() {
    model_.load();
    refresh();
}

void GeneralSettingsView::refresh() {
    {
        QSignalBlocker login(launchAtLogin_);
        QSignalBlocker icon(hideIcon_);
        launchAtLogin_->setChecked(model_.launchAtLogin());
        hideIcon_->setChecked(model_.hideMenuBarIcon());
    }
    refreshExtension();
    cloud_->refresh();
}

void GeneralSettingsView::refreshExtension() {
    delete extensionRow_;
    extensionRow_ = new FinderExtensionStatusRow(model_.extensionEnabled(), opener_);
    extension_->addRow(extensionRow_);
}

QWidget* GeneralSettingsView::backupRow() {
    auto* row = new QWidget;
    auto* column = new QVBoxLayout(row);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(export_);
    buttons->addWidget(import_);
    buttons->addStretch();
    column->addLayout(buttons);
    column->addWidget(note(
        QStringLiteral("包含动作开关/排序/条件/分组、收藏目标、路径模板、快捷键与自定义模板（含图标）。")));
    connect(export_, &QPushButton::clicked, this, [this] { model_.exportConfig(); });
    connect(import_, &QPushButton::clicked, this, [this] { model_.importConfig(); });
    return row;
}

FinderExtensionStatusRow::FinderExtensionStatusRow(bool enabled, platform::SystemSettingsOpener* opener) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (enabled) {
        layout->addWidget(
            makeSymbolLabel("checkmark.seal.fill", QStringLiteral("文件管理器扩展已启用"), green), 1);
    } else {
        layout->addWidget(
            makeSymbolLabel("exclamationmark.triangle.fill", QStringLiteral("文件管理器扩展未启用"), orange),
            1);
        auto* enable = new QPushButton(QStringLiteral("去启用…"));
        connect(enable, &QPushButton::clicked, this, [opener] {
            if (opener)
                FinderExtensionGuide::openSystemSettings(*opener);
        });
        layout->addWidget(enable);
    }
}

FullDiskAccessRow::FullDiskAccessRow() : SettingsSection(QStringLiteral("完全磁盘访问")) {
    addRow(makeSymbolLabel("checkmark.seal.fill", QStringLiteral("已授予完全磁盘访问"), green));
    addRow(note(QStringLiteral("撤销、移动、删除涉及桌面/文稿等受保护目录时需要此权限。Ondravell "
                               "以你的用户身份运行，可访问你有权访问的全部文件，无需另行授权。")));
}

ICloudSyncRow::ICloudSyncRow(GeneralModel& model)
    : cloudUnavailable_(makeSymbolLabel(
          "icloud.slash",
          QStringLiteral("云盘文件夹不可用（未找到 %1）").arg(folderText(model.cloudFolder())),
          palette().color(QPalette::PlaceholderText))),
      cloudSync_(new QCheckBox(QStringLiteral("通过云盘同步配置"))),
      lastSync_(note({})),
      cloudNote_(note(
          QStringLiteral("配置存放在云盘文件夹的 Ondravell 文件夹，多台电脑自动保持一致（新者覆盖旧者）。"))),
      model_(model) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    column->addWidget(cloudUnavailable_);
    column->addWidget(cloudSync_);
    column->addWidget(lastSync_);
    column->addWidget(cloudNote_);
    connect(cloudSync_, &QCheckBox::toggled, this, [this](bool on) {
        model_.setCloudSyncEnabled(on);
        refresh();
    });
}

void ICloudSyncRow::refresh() {
    const bool available = model_.cloudAvailable();
    cloudUnavailable_->setVisible(!available);
    cloudSync_->setVisible(available);
    cloudNote_->setVisible(available);
    {
        QSignalBlocker blocker(cloudSync_);
        cloudSync_->setChecked(model_.cloudSyncEnabled());
    }
    std::optional<double> lastSync = model_.lastSync();
    lastSync_->setVisible(available && (lastSync || model_.syncFailed()));
    if (model_.syncFileUnreadable())
        lastSync_->setText(
            QStringLiteral("同步已暂停：云盘文件夹中的配置文件无法读取（%1），修复或删除该文件后自动继续")
                .arg(folderText(model_.syncFile())));
    else if (model_.syncFailed())
        lastSync_->setText(QStringLiteral("同步失败：云盘文件夹中的配置文件无法写入或读取，稍后自动重试"));
    else if (lastSync)
        lastSync_->setText(QStringLiteral("上次同步：") + localDateTime(*lastSync));
}

} // namespace ondravell
