#pragma once

#include "platform/FolderWatcher.h"

#include <map>
#include <vector>

namespace ondravell::platform {

// Watches that fire only when a test says a path changed. Existing paths can be watched.
class MemoryFolderWatcher final : public FolderWatcher {
public:
    std::optional<Token> watch(const std::filesystem::path& path, std::function<void()> onChange) override;
    void unwatch(Token token) override { watches_.erase(token); }

    // Runs the callback of every watch on `path`, in the order they were made.
    void changed(const std::filesystem::path& path);
    std::vector<std::filesystem::path> watchedPaths() const;

private:
    Token nextToken_ = 1;
    std::map<Token, std::pair<std::filesystem::path, std::function<void()>>> watches_;
};

} // namespace ondravell::platform
