#include "App/NewFile/DeleteAlert.h"

#include <QMessageBox>
#include <QPushButton>

namespace ondravell {

bool DeleteAlert::run(const DeleteConfirmer::Alert& alert) {
    QMessageBox box(QMessageBox::Critical, QString(), QString::fromStdString(alert.message));
    box.setInformativeText(QString::fromStdString(alert.informativeText));
    // Both texts carry file names, which are never markup.
    box.setTextFormat(Qt::PlainText);
    QPushButton* remove = box.addButton(QStringLiteral("彻底删除"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    box.setDefaultButton(remove);
    box.setEscapeButton(cancel);
    // The tray application has no window of its own in front: the alert must come forward by itself.
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.show();
    box.raise();
    box.activateWindow();
    box.exec();
    return box.clickedButton() == remove;
}

} // namespace ondravell
