// The confirmation an import asks for before it replaces the configuration.
#include "App/Services/ConfigBackup.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace ondravell {

bool ConfigBackup::confirmImportAlert() {
    QMessageBox alert(QMessageBox::Warning, QString(), QStringLiteral("导入配置？"), QMessageBox::NoButton,
                      QApplication::activeWindow());
    alert.setInformativeText(
        QStringLiteral("将覆盖当前的动作设置、收藏目标、路径模板、快捷键与自定义模板。"));
    QPushButton* confirm = alert.addButton(QStringLiteral("导入"), QMessageBox::AcceptRole);
    alert.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    alert.setDefaultButton(confirm);
    // Left to itself the box wraps the warning into a narrow column; this width keeps it on one line.
    alert.setStyleSheet(QStringLiteral("QLabel#qt_msgbox_informativelabel { min-width: 460px; }"));
    alert.exec();
    return alert.clickedButton() == confirm;
}

} // namespace ondravell
