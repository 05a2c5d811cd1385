#pragma once

#include "platform/Pasteboard.h"

#include <atomic>
#include <memory>

typedef struct _GdkClipboard GdkClipboard;

namespace ondravell::platform {

// The clipboard of the default GDK display of the process (the file manager's own display when the
// module runs inside it). Files go out as "text/uri-list", as "x-special/gnome-copied-files" ("copy" or
// "cut", then the URIs) and as plain text, plus our token when one is given; reads never block: they
// answer through the handler from the GLib main loop. Without a display every write does nothing and
// every read answers nullopt.
class GtkPasteboard final : public Pasteboard {
public:
    GtkPasteboard();
    ~GtkPasteboard() override;
    GtkPasteboard(const GtkPasteboard&) = delete;
    GtkPasteboard& operator=(const GtkPasteboard&) = delete;

    void writeString(const std::string& text) override;
    void writeFiles(const std::vector<std::filesystem::path>& paths, bool cut,
                    std::optional<PasteboardToken> token) override;
    void readString(TextHandler handler) override;
    void readFiles(FilesHandler handler) override;
    std::int64_t changeCount() const override;

    // The two file-list forms, for tests and for other code that offers files the same way.
    static std::string uriList(const std::vector<std::filesystem::path>& paths);
    static std::string gnomeCopiedFiles(const std::vector<std::filesystem::path>& paths, bool cut);
    // Reads either form back; nullopt when no entry is a local file.
    static std::optional<PasteboardFiles> parseFileList(std::string_view bytes, std::string_view mimeType);

private:
    GdkClipboard* clipboard();

    GdkClipboard* clipboard_ = nullptr;
    unsigned long changedHandler_ = 0;
    std::shared_ptr<std::atomic<std::int64_t>> changes_ = std::make_shared<std::atomic<std::int64_t>>(0);
};

} // namespace ondravell::platform
