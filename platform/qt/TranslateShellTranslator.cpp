#include "platform/qt/TranslateShellTranslator.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

namespace ondravell::platform {

namespace {

QString program() {
    return QStandardPaths::findExecutable(QStringLiteral("trans"));
}

} // namespace

TranslateShellTranslator::TranslateShellTranslator(int timeoutMs) : timeoutMs_(timeoutMs) {}

TranslateShellTranslator::~TranslateShellTranslator() {
    *alive_ = false;
}

bool TranslateShellTranslator::isAvailable() {
    return !program().isEmpty();
}

void TranslateShellTranslator::translate(const std::string& text, Handler handler) {
    const QString path = program();
    if (path.isEmpty()) {
        handler(std::nullopt);
        return;
    }
    auto* process = new QProcess();
    auto answered = std::make_shared<bool>(false);
    std::weak_ptr<bool> alive = alive_;
    auto finish = [process, answered, alive, handler](std::optional<std::string> result) {
        if (*answered)
            return;
        *answered = true;
        process->deleteLater();
        if (alive.lock())
            handler(std::move(result));
    };
    QObject::connect(process, &QProcess::finished, process,
                     [process, finish](int code, QProcess::ExitStatus status) {
                         const QString output = QString::fromUtf8(process->readAllStandardOutput()).trimmed();
                         if (status != QProcess::NormalExit || code != 0 || output.isEmpty())
                             finish(std::nullopt);
                         else
                             finish(output.toStdString());
                     });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, finish](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart)
                             finish(std::nullopt);
                         else if (error == QProcess::Timedout)
                             process->kill();
                     });
    QTimer::singleShot(timeoutMs_, process, [process, finish] {
        process->kill();
        finish(std::nullopt);
    });
    process->setStandardInputFile(QProcess::nullDevice());
    process->start(path, {QStringLiteral("-brief"), QStringLiteral("--"), QString::fromStdString(text)});
}

} // namespace ondravell::platform
