#include "platform/qt/QtFileDialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QUrl>

namespace ondravell::platform {

namespace {
QString text(const std::string& value) {
    return QString::fromStdString(value);
}
QString text(const std::filesystem::path& value) {
    return QString::fromStdString(value.string());
}
} // namespace

std::optional<std::filesystem::path> QtFileDialog::run(const FileDialogRequest& request) {
    QFileDialog dialog(QApplication::activeWindow(), text(request.title), text(request.directory));
    switch (request.kind) {
    case FileDialogRequest::Kind::openFile:
        dialog.setFileMode(QFileDialog::ExistingFile);
        break;
    case FileDialogRequest::Kind::openFolder:
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        break;
    case FileDialogRequest::Kind::saveFile:
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.selectFile(text(request.proposedName));
        break;
    }
    if (!request.nameFilters.empty()) {
        QStringList patterns;
        for (const auto& filter : request.nameFilters)
            patterns << text(filter);
        dialog.setNameFilter(patterns.join(QLatin1Char(' ')));
    }
    if (!request.places.empty()) {
        QList<QUrl> urls{QUrl::fromLocalFile(text(request.directory))};
        for (const auto& place : request.places)
            urls << QUrl::fromLocalFile(text(place));
        dialog.setSidebarUrls(urls);
    }
    if (!request.acceptLabel.empty()) {
        // A desktop's own dialog may not take the label over.
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setLabelText(QFileDialog::Accept, text(request.acceptLabel));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return std::filesystem::path(dialog.selectedFiles().constFirst().toStdString());
}

} // namespace ondravell::platform
