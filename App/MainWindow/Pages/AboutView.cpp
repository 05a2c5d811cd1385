#include "App/MainWindow/Pages/AboutView.h"

#include "App/MainWindow/Widgets/QtText.h"
#include "App/MainWindow/Widgets/SettingsSection.h"
#include "App/MainWindow/Widgets/SymbolLabel.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QUrl>
#include <QVBoxLayout>

#ifndef ONDRAVELL_VERSION
#define ONDRAVELL_VERSION ""
#endif
#ifndef ONDRAVELL_BUILD
#define ONDRAVELL_BUILD ""
#endif

namespace ondravell {

namespace {
constexpr int iconSize = 84;
} // namespace

std::string AboutView::versionText(std::string_view shortVersion, std::string_view build) {
    auto part = [](std::string_view text) { return text.empty() ? std::string("—") : std::string(text); };
    return part(shortVersion) + " (" + part(build) + ")";
}

AboutView::AboutView(QWidget* parent) : SettingsPage(parent) {
    auto* identity = new SettingsSection({});
    auto* stack = new QWidget;
    auto* column = new QVBoxLayout(stack);
    column->setContentsMargins(0, 8, 0, 8);
    column->setSpacing(8);
    auto* icon = new QLabel;
    icon->setPixmap(QApplication::windowIcon().pixmap(iconSize, iconSize));
    icon->setVisible(!QApplication::windowIcon().isNull());
    column->addWidget(icon, 0, Qt::AlignHCenter);
    auto* name = new QLabel(QStringLiteral("Ondravell · 小欧"));
    QFont title = name->font();
    title.setPointSizeF(title.pointSizeF() * 1.6);
    title.setBold(true);
    name->setFont(title);
    column->addWidget(name, 0, Qt::AlignHCenter);
    auto* version =
        new QLabel(QStringLiteral("版本 ") + toQString(versionText(ONDRAVELL_VERSION, ONDRAVELL_BUILD)));
    version->setForegroundRole(QPalette::PlaceholderText);
    column->addWidget(version, 0, Qt::AlignHCenter);
    identity->addRow(stack);
    addSection(identity);

    auto* promises = new SettingsSection(QStringLiteral("我们的承诺"));
    promises->addRow(makeSymbolLabel("lock.shield", QStringLiteral("最小权限，不联网上传你的文件")));
    promises->addRow(makeSymbolLabel("hand.raised", QStringLiteral("不捆绑无关功能，不注入返利")));
    addSection(promises);

    auto* support = new SettingsSection(QStringLiteral("官网与支持"));
    const QUrl site(toQString(webSite));
    auto* link = new QLabel(QStringLiteral("<a href=\"%1\">官网 %2</a>").arg(site.toString(), site.host()));
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(link, &QLabel::linkActivated, link,
            [](const QString& url) { QDesktopServices::openUrl(QUrl(url)); });
    support->addRow(makeSymbolLabel("globe", link));
    addSection(support);
}

} // namespace ondravell
