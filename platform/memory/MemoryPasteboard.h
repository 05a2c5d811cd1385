#pragma once

#include "platform/Pasteboard.h"

#include <mutex>
#include <variant>

namespace ondravell::platform {

// Clipboard for tests: holds its content in the object and answers reads at once, on the calling
// thread. `placeFromOutside` stands for another program taking the clipboard.
class MemoryPasteboard final : public Pasteboard {
public:
    void writeString(const std::string& text) override;
    void writeFiles(const std::vector<std::filesystem::path>& paths, bool cut,
                    std::optional<PasteboardToken> token) override;
    void readString(TextHandler handler) override;
    void readFiles(FilesHandler handler) override;
    std::int64_t changeCount() const override;

    void placeFromOutside(const std::string& text);
    void clear();
    // The text as it stands, without going through a handler.
    std::optional<std::string> string() const;
    std::optional<PasteboardFiles> files() const;

private:
    mutable std::mutex mutex_;
    std::variant<std::monostate, std::string, PasteboardFiles> content_;
    std::int64_t changeCount_ = 0;
};

} // namespace ondravell::platform
