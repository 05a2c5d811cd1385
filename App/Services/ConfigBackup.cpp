// The panels and the confirmation of export and import.
#include "App/Services/ConfigBackup.h"

#include "App/Toast/ToastPresenter.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace ondravell {

namespace {

void showToast(const ConfigBackup::Message& message) {
    ToastPresenter::shared().show(message.text, message.symbol);
}

std::filesystem::path localPath(const QString& fileName) {
    return std::filesystem::path(fileName.toStdString());
}

} // namespace

void ConfigBackup::exportConfig() {
    auto bytes = exportBytes();
    if (!bytes)
        return;
    QString proposed = QDir::home().filePath(QString::fromUtf8(proposedFileName));
    QString fileName = QFileDialog::getSaveFileName(nullptr, QString(), proposed);
    if (fileName.isEmpty())
        return;
    showToast(writeExport(localPath(fileName), *bytes));
}

void ConfigBackup::importConfig() {
    QString fileName =
        QFileDialog::getOpenFileName(nullptr, QString(), QDir::homePath(), QStringLiteral("JSON (*.json)"));
    if (fileName.isEmpty())
        return;
    auto bundle = readImport(localPath(fileName));
    if (!bundle) {
        showToast(unreadableMessage());
        return;
    }

    QMessageBox alert(QMessageBox::Warning, QString(), QStringLiteral("导入配置？"));
    alert.setInformativeText(
        QStringLiteral("将覆盖当前的动作设置、收藏目标、路径模板、快捷键与自定义模板。"));
    QPushButton* confirm = alert.addButton(QStringLiteral("导入"), QMessageBox::AcceptRole);
    alert.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    alert.setDefaultButton(confirm);
    alert.exec();
    if (alert.clickedButton() != confirm)
        return;
    showToast(applyImport(*bundle));
}

} // namespace ondravell
