#include "App/Onboarding/FinderExtensionInstaller.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <unistd.h>

namespace ondravell {

namespace {
// pkexec's own answers when the user dismissed the password dialog or was not allowed.
constexpr int pkexecDismissed = 126;
constexpr int pkexecNotAuthorized = 127;

void tellCommand(const FinderExtensionInstaller::Paths& paths, QWidget* parent) {
    QMessageBox box(
        QMessageBox::Information, QStringLiteral("启用文件管理器扩展"),
        QStringLiteral("无法自动安装文件管理器扩展。请在终端中运行以下命令，然后重新打开 Nautilus："),
        QMessageBox::Ok, parent);
    box.setInformativeText(FinderExtensionInstaller::manualCommand(paths));
    // The command holds paths, shown as they are.
    box.setTextFormat(Qt::PlainText);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.exec();
}

bool nautilusIsRunning() {
    return QProcess::execute(QStringLiteral("pgrep"), {QStringLiteral("-u"), QString::number(::getuid()),
                                                       QStringLiteral("-x"), QStringLiteral("nautilus")}) ==
           0;
}
} // namespace

FinderExtensionInstaller::Command
FinderExtensionInstaller::commandFor(const Paths& paths, bool folderWritable, bool pkexecAvailable) {
    if (!QFileInfo(paths.installer).isFile() || !QFileInfo(paths.module).isFile())
        return {};
    QStringList arguments = {paths.installer, paths.module};
    if (folderWritable)
        return {QStringLiteral("bash"), arguments};
    if (!pkexecAvailable)
        return {};
    // pkexec runs no shell: the script goes through bash by its absolute path.
    return {QStringLiteral("pkexec"), QStringList{QStringLiteral("/bin/bash")} + arguments};
}

QString FinderExtensionInstaller::manualCommand(const Paths& paths) {
    // Under sudo the installer restarts the user's Nautilus itself, opening its folders again.
    return QStringLiteral("sudo bash '%1' '%2'").arg(paths.installer, paths.module);
}

void FinderExtensionInstaller::install(const Paths& paths, QWidget* parent) {
    QFileInfo folder(paths.extensionFolder);
    bool writable = folder.isDir() ? folder.isWritable() : QFileInfo(folder.absolutePath()).isWritable();
    bool pkexec = !QStandardPaths::findExecutable(QStringLiteral("pkexec")).isEmpty();
    Command command = commandFor(paths, writable, pkexec);
    if (command.program.isEmpty()) {
        tellCommand(paths, parent);
        return;
    }
    bool asAdministrator = command.program == QLatin1String("pkexec");
    auto* process = new QProcess(parent);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    auto finished = [process, paths, parent, asAdministrator](int code, QProcess::ExitStatus status) {
        process->deleteLater();
        if (status == QProcess::NormalExit && code == 0) {
            // A running Nautilus keeps the modules it started with: it quits, and its next window loads
            // ours. Run as the user, the installer does that itself; as root it cannot reach the user's.
            if (asAdministrator && nautilusIsRunning())
                QProcess::startDetached(QStringLiteral("nautilus"), {QStringLiteral("-q")});
            return;
        }
        if (code != pkexecDismissed && code != pkexecNotAuthorized)
            tellCommand(paths, parent);
    };
    QObject::connect(process, &QProcess::finished, process, finished);
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, paths, parent](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         process->deleteLater();
                         tellCommand(paths, parent);
                     });
    process->start(command.program, command.arguments);
}

} // namespace ondravell
