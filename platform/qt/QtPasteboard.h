#pragma once

#include "platform/Pasteboard.h"

#include <QObject>

namespace ondravell::platform {

// The desktop's clipboard through QClipboard. Files go as "text/uri-list" and as
// "x-special/gnome-copied-files", so file managers paste them.
class QtPasteboard final : public Pasteboard {
public:
    QtPasteboard();

    void writeString(const std::string& text) override;
    void writeFiles(const std::vector<std::filesystem::path>& paths, bool cut,
                    std::optional<PasteboardToken> token) override;
    void readString(TextHandler handler) override;
    void readFiles(FilesHandler handler) override;
    std::int64_t changeCount() const override { return changeCount_; }

private:
    QObject context_;
    std::int64_t changeCount_ = 0;
};

} // namespace ondravell::platform
