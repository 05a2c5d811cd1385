#include "platform/memory/MemoryPasteboard.h"

namespace ondravell::platform {

void MemoryPasteboard::writeString(const std::string& text) {
    std::lock_guard lock(mutex_);
    content_ = text;
    ++changeCount_;
}

void MemoryPasteboard::writeFiles(const std::vector<std::filesystem::path>& paths, bool cut,
                                  std::optional<PasteboardToken> token) {
    std::lock_guard lock(mutex_);
    content_ = PasteboardFiles{paths, cut, token};
    ++changeCount_;
}

void MemoryPasteboard::readString(TextHandler handler) {
    handler(string());
}

void MemoryPasteboard::readFiles(FilesHandler handler) {
    handler(files());
}

std::int64_t MemoryPasteboard::changeCount() const {
    std::lock_guard lock(mutex_);
    return changeCount_;
}

void MemoryPasteboard::placeFromOutside(const std::string& text) {
    writeString(text);
}

void MemoryPasteboard::clear() {
    std::lock_guard lock(mutex_);
    content_ = std::monostate{};
    ++changeCount_;
}

std::optional<std::string> MemoryPasteboard::string() const {
    std::lock_guard lock(mutex_);
    if (const auto* text = std::get_if<std::string>(&content_))
        return *text;
    // Files pasted into a text field arrive as their paths, one per line, as on the desktop.
    if (const auto* files = std::get_if<PasteboardFiles>(&content_)) {
        std::string joined;
        for (const auto& path : files->paths) {
            if (!joined.empty())
                joined += '\n';
            joined += path.string();
        }
        return joined;
    }
    return std::nullopt;
}

std::optional<PasteboardFiles> MemoryPasteboard::files() const {
    std::lock_guard lock(mutex_);
    if (const auto* files = std::get_if<PasteboardFiles>(&content_))
        return *files;
    return std::nullopt;
}

} // namespace ondravell::platform
