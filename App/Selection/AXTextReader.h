#pragma once

#include "platform/PrimarySelection.h"

#include <functional>
#include <optional>
#include <string>

namespace ondravell {

namespace platform {
class ClipboardCopier;
class FocusedText;
} // namespace platform

// Reads the text the user selected in another application, in two independent ways: the selection
// that application published itself (PRIMARY) during the user's gesture, and a copy it is made to do
// into the clipboard, which is restored afterwards. Texts come back as they were selected (never
// trimmed or shortened); a present text is never empty, is valid UTF-8 and holds no NUL byte.
// Password fields publish no selection and are never copied from by the first way; neither way reads
// anything before the accessibility bus has told what has the focus now (bounded), nor while it names
// a password field, and a text of a password field's mask characters alone counts as none: some
// toolkits publish a password field's bullets, or even its text, and a field whose text is only hidden
// (a GTK 4 entry with its visibility off) is no password field to the bus.
class AXTextReader {
public:
    using TextHandler = std::function<void(std::optional<std::string>)>;

    AXTextReader(platform::PrimarySelection& primary, platform::ClipboardCopier& clipboard,
                 platform::FocusedText* focused = nullptr);

    // The selection made by the gesture whose button went down at `gestureStart`; an older selection
    // counts as none.
    void selectedTextViaAX(platform::PrimarySelection::ServerTime gestureStart, TextHandler handler);
    // What the focused window copies when sent Ctrl+C; the clipboard is restored when it changed.
    void selectedTextViaClipboard(TextHandler handler);

    // `bytes` when they make a usable text: not empty, valid UTF-8, no NUL, not mask characters alone.
    static std::optional<std::string> usableText(std::optional<std::string> bytes);

private:
    // Runs `read` once the focus is known to be no password field; else hands nothing to `handler`.
    void unlessPasswordFocused(std::function<void()> read, const TextHandler& handler);

    platform::PrimarySelection& primary_;
    platform::ClipboardCopier& clipboard_;
    platform::FocusedText* focused_;
};

} // namespace ondravell
