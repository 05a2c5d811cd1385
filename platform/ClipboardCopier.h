#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ondravell::platform {

// What the focused window put on the clipboard when asked to copy.
struct ClipboardCopy {
    // The plain text, when the copy holds text that is valid UTF-8 without NUL bytes.
    std::optional<std::string> text;
    // The copied URIs in order, from the file managers' copied-files form or a URI list.
    std::vector<std::string> uris;
    // The local files among `uris`, as paths.
    std::vector<std::filesystem::path> files;
    friend bool operator==(const ClipboardCopy&, const ClipboardCopy&) = default;
};

// Makes the focused window of another program copy its selection and reads the copy, leaving the
// user's clipboard as it was: once the user has let go of every key (waited for a bounded time), the
// clipboard is snapshotted in every format, the copy shortcut is synthesised, the clipboard is watched
// for a bounded time, and when it changed the copy is read and the snapshot written back. When it
// never changed, nothing is written, so the real owner keeps the clipboard and no format is lost; a
// copy the window makes only after that, which would leave its selection in place of the user's
// clipboard, is undone where the copier can tell that it came from that window's application.
class ClipboardCopier {
public:
    // nullopt: nothing was copied in time (or keys cannot be synthesised, or a copy is already running).
    using Handler = std::function<void(std::optional<ClipboardCopy>)>;

    virtual ~ClipboardCopier() = default;

    // Calls `handler` once on the event loop's thread, later or at once; never while blocking the event
    // loop for longer than one step of the watch. Not called when the copier is destroyed first.
    virtual void copyFromFocusedWindow(Handler handler) = 0;
};

} // namespace ondravell::platform
