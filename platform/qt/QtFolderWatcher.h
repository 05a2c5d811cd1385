#pragma once

#include "platform/FolderWatcher.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <map>
#include <memory>

namespace ondravell::platform {

// inotify through QFileSystemWatcher, one per watch. A watched file that is replaced by a rename is
// watched again under its name, so each new version of it is seen.
class QtFolderWatcher final : public FolderWatcher {
public:
    QtFolderWatcher();
    ~QtFolderWatcher() override;

    std::optional<Token> watch(const std::filesystem::path& path, std::function<void()> onChange) override;
    void unwatch(Token token) override;

private:
    Token nextToken_ = 1;
    std::map<Token, std::unique_ptr<QFileSystemWatcher>> watchers_;
};

} // namespace ondravell::platform
