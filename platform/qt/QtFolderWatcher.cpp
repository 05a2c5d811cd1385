#include "platform/qt/QtFolderWatcher.h"

#include <QFileInfo>

namespace ondravell::platform {

QtFolderWatcher::QtFolderWatcher() = default;
QtFolderWatcher::~QtFolderWatcher() = default;

std::optional<FolderWatcher::Token> QtFolderWatcher::watch(const std::filesystem::path& path,
                                                           std::function<void()> onChange) {
    const QString name = QString::fromStdString(path.string());
    auto watcher = std::make_unique<QFileSystemWatcher>();
    if (!watcher->addPath(name))
        return std::nullopt;
    QObject::connect(watcher.get(), &QFileSystemWatcher::directoryChanged, watcher.get(),
                     [onChange](const QString&) { onChange(); });
    QFileSystemWatcher* raw = watcher.get();
    QObject::connect(raw, &QFileSystemWatcher::fileChanged, raw, [raw, onChange](const QString& file) {
        // A rename over the file ends the watch on the old one; follow the name.
        if (!raw->files().contains(file) && QFileInfo::exists(file))
            raw->addPath(file);
        onChange();
    });
    Token token = nextToken_++;
    watchers_.emplace(token, std::move(watcher));
    return token;
}

void QtFolderWatcher::unwatch(Token token) {
    auto it = watchers_.find(token);
    if (it == watchers_.end())
        return;
    // The watcher may be the one whose signal is running: delete it from the event loop.
    it->second.release()->deleteLater();
    watchers_.erase(it);
}

} // namespace ondravell::platform
