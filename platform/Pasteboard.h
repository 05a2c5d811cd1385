#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ondravell::platform {

// Marks files that this system put on the clipboard itself, so a later paste can tell its own copy or
// cut from whatever another program placed there since. Offered beside the files under
// `pasteboardTokenMimeType`, as the decimal digits of `value`.
struct PasteboardToken {
    std::int64_t value = 0;
    friend bool operator==(const PasteboardToken&, const PasteboardToken&) = default;
};

inline constexpr std::string_view pasteboardTokenMimeType = "application/x-ondravell-token";

// Files as the clipboard carries them: in order, with whether they were cut (to be moved on paste)
// and our own token when the clipboard holds one.
struct PasteboardFiles {
    std::vector<std::filesystem::path> paths;
    bool cut = false;
    std::optional<PasteboardToken> token;
    friend bool operator==(const PasteboardFiles&, const PasteboardFiles&) = default;
};

// The desktop's clipboard. Every call belongs on the thread that runs the program's event loop.
// Reads may have to ask another program, so they answer through a handler, called later on that same
// thread (or at once when the answer is at hand); nullopt means the clipboard holds no such content.
class Pasteboard {
public:
    using TextHandler = std::function<void(std::optional<std::string>)>;
    using FilesHandler = std::function<void(std::optional<PasteboardFiles>)>;

    virtual ~Pasteboard() = default;

    // Replaces the whole clipboard with plain text.
    virtual void writeString(const std::string& text) = 0;
    // Replaces the whole clipboard with files, in the forms file managers paste from.
    virtual void writeFiles(const std::vector<std::filesystem::path>& paths, bool cut,
                            std::optional<PasteboardToken> token) = 0;

    virtual void readString(TextHandler handler) = 0;
    virtual void readFiles(FilesHandler handler) = 0;

    // Grows with every change of the clipboard this process sees, its own writes included; never
    // shrinks. Only comparable within one process.
    virtual std::int64_t changeCount() const = 0;
};

} // namespace ondravell::platform
