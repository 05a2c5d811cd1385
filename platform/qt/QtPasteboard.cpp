#include "platform/qt/QtPasteboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QUrl>

namespace ondravell::platform {

namespace {
const QString gnomeCopiedFiles = QStringLiteral("x-special/gnome-copied-files");
const QString tokenType =
    QString::fromLatin1(pasteboardTokenMimeType.data(), qsizetype(pasteboardTokenMimeType.size()));
} // namespace

QtPasteboard::QtPasteboard() {
    QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, &context_,
                     [this] { ++changeCount_; });
}

void QtPasteboard::writeString(const std::string& text) {
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(text));
    QGuiApplication::clipboard()->setMimeData(data);
}

void QtPasteboard::writeFiles(const std::vector<std::filesystem::path>& paths, bool cut,
                              std::optional<PasteboardToken> token) {
    QList<QUrl> urls;
    QByteArray copied = cut ? "cut" : "copy";
    for (const std::filesystem::path& path : paths) {
        // Percent-encoded from the name's bytes, so a name that is not UTF-8 keeps its bytes.
        QUrl url =
            QUrl::fromEncoded("file://" + QByteArray::fromStdString(path.string()).toPercentEncoding("/"));
        urls.push_back(url);
        copied += '\n' + url.toEncoded();
    }
    auto* data = new QMimeData;
    data->setUrls(urls);
    data->setData(gnomeCopiedFiles, copied);
    if (token)
        data->setData(tokenType, QByteArray::number(qlonglong(token->value)));
    QGuiApplication::clipboard()->setMimeData(data);
}

void QtPasteboard::readString(TextHandler handler) {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText())
        return handler(std::nullopt);
    handler(data->text().toStdString());
}

void QtPasteboard::readFiles(FilesHandler handler) {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        return handler(std::nullopt);
    PasteboardFiles files;
    QList<QByteArray> lines = data->data(gnomeCopiedFiles).split('\n');
    files.cut = !lines.isEmpty() && lines.front() == "cut";
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            files.paths.emplace_back(url.toLocalFile().toStdString());
    bool ok = false;
    qlonglong token = data->data(tokenType).toLongLong(&ok);
    if (ok)
        files.token = PasteboardToken{token};
    if (files.paths.empty())
        return handler(std::nullopt);
    handler(std::move(files));
}

} // namespace ondravell::platform
