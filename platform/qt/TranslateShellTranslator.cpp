#include "platform/qt/TranslateShellTranslator.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <csignal>
#include <sys/types.h>
#include <unistd.h>

namespace ondravell::platform {

namespace {

QString program() {
    return QStandardPaths::findExecutable(QStringLiteral("trans"));
}

// Kills the program and everything it started: it leads a process group of its own.
void stop(QProcess* process) {
    if (const qint64 id = process->processId(); id > 0)
        ::kill(-pid_t(id), SIGKILL);
    process->kill();
}

} // namespace

TranslateShellTranslator::TranslateShellTranslator(int timeoutMs) : timeoutMs_(timeoutMs) {}

TranslateShellTranslator::~TranslateShellTranslator() {
    while (!running_.empty())
        cancel(running_.begin()->first);
}

bool TranslateShellTranslator::isAvailable() {
    return !program().isEmpty();
}

Translator::Ticket TranslateShellTranslator::translate(const std::string& text, Handler handler) {
    const Ticket ticket = ++lastTicket_;
    const QString path = program();
    if (path.isEmpty()) {
        handler(std::nullopt);
        return ticket;
    }
    auto* process = new QProcess();
    running_.emplace(ticket, Running{process, std::move(handler)});
    QObject::connect(process, &QProcess::finished, process,
                     [this, process, ticket](int code, QProcess::ExitStatus status) {
                         const QString output = QString::fromUtf8(process->readAllStandardOutput()).trimmed();
                         if (status != QProcess::NormalExit || code != 0 || output.isEmpty())
                             finish(ticket, std::nullopt);
                         else
                             finish(ticket, output.toStdString());
                     });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [this, ticket](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart)
                             finish(ticket, std::nullopt);
                     });
    QTimer::singleShot(timeoutMs_, process, [this, process, ticket] {
        if (!running_.contains(ticket))
            return;
        stop(process);
        finish(ticket, std::nullopt);
    });
    process->setChildProcessModifier([] { ::setpgid(0, 0); });
    // The text goes in on standard input: as an argument, a long selection would be more than the
    // system lets a program be started with.
    process->start(path, {QStringLiteral("-brief")});
    if (running_.contains(ticket)) {
        process->write(text.data(), qint64(text.size()));
        process->closeWriteChannel();
    }
    return ticket;
}

void TranslateShellTranslator::cancel(Ticket ticket) {
    const auto found = running_.find(ticket);
    if (found == running_.end())
        return;
    QProcess* process = found->second.process;
    running_.erase(found);
    process->disconnect();
    stop(process);
    // The killed process is reaped when its object goes, which waits only for the kill to land.
    process->deleteLater();
}

void TranslateShellTranslator::finish(Ticket ticket, std::optional<std::string> result) {
    const auto found = running_.find(ticket);
    if (found == running_.end())
        return;
    Running run = std::move(found->second);
    running_.erase(found);
    run.process->disconnect();
    run.process->deleteLater();
    if (run.handler)
        run.handler(std::move(result));
}

} // namespace ondravell::platform
