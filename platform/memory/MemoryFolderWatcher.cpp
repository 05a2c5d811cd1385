#include "platform/memory/MemoryFolderWatcher.h"

namespace ondravell::platform {

std::optional<FolderWatcher::Token> MemoryFolderWatcher::watch(const std::filesystem::path& path,
                                                               std::function<void()> onChange) {
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return std::nullopt;
    Token token = nextToken_++;
    watches_.emplace(token, std::make_pair(path, std::move(onChange)));
    return token;
}

void MemoryFolderWatcher::changed(const std::filesystem::path& path) {
    std::vector<Token> due;
    for (const auto& [token, watch] : watches_)
        if (watch.first == path)
            due.push_back(token);
    // A callback may unwatch: look each one up again.
    for (Token token : due)
        if (auto it = watches_.find(token); it != watches_.end())
            it->second.second();
}

std::vector<std::filesystem::path> MemoryFolderWatcher::watchedPaths() const {
    std::vector<std::filesystem::path> paths;
    for (const auto& [token, watch] : watches_)
        paths.push_back(watch.first);
    return paths;
}

} // namespace ondravell::platform
