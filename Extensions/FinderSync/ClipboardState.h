#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace ondravell {

// What the extension remembers of its own copy or cut, in "clipboard.json" in the container root:
// whether the files were cut, and the token it put on the clipboard beside them ("changeCount"). A
// paste moves only while the clipboard still carries that token. Without a container there is no file
// and every call does nothing.
struct ClipboardState {
    static constexpr std::string_view fileName = "clipboard.json";
    // Bigger than anything written here; a larger file is not ours.
    static constexpr std::size_t maxFileBytes = 4096;

    bool cut = false;
    std::int64_t changeCount = -1;
    friend bool operator==(const ClipboardState&, const ClipboardState&) = default;

    static std::optional<std::filesystem::path> fileURL();

    // {"cut": bool, "changeCount": integer}; nullopt only for text that cannot be written.
    std::optional<std::string> encoded() const;
    // Anything that is not such an object reads as (false, -1), a key of the wrong type as its default.
    static ClipboardState decode(std::string_view bytes);

    // A missing or unreadable file reads as (false, -1).
    static ClipboardState read();
    // Replaces the file; failures are dropped (a later paste then copies instead of moving).
    void write() const;
    static void remove();
};

} // namespace ondravell
