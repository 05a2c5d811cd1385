#include "App/Selection/AXTextReader.h"

#include "core/Support/UnicodeText.h"
#include "platform/ClipboardCopier.h"
#include "platform/FocusedText.h"

namespace ondravell {

namespace {

// What a text field shows for each hidden character: GTK's choices, in its order, and the asterisk
// every toolkit falls back to.
bool isMaskCharacter(char32_t c) {
    return c == U'\u25CF' || c == U'\u2022' || c == U'\u2731' || c == U'\u273A' || c == U'*';
}

} // namespace

AXTextReader::AXTextReader(platform::PrimarySelection& primary, platform::ClipboardCopier& clipboard,
                           platform::FocusedText* focused)
    : primary_(primary), clipboard_(clipboard), focused_(focused) {}

void AXTextReader::unlessPasswordFocused(std::function<void()> read, const TextHandler& handler) {
    if (!focused_) {
        read();
        return;
    }
    focused_->settledFocus(
        [read = std::move(read), handler](std::optional<platform::FocusedText::Focus> focus, bool known) {
            if (!known || (focus && focus->password))
                handler(std::nullopt);
            else
                read();
        });
}

std::optional<std::string> AXTextReader::usableText(std::optional<std::string> bytes) {
    if (!bytes || bytes->empty() || bytes->find('\0') != std::string::npos ||
        !UnicodeText::isValidUTF8(*bytes))
        return std::nullopt;
    if (UnicodeText::trimming(*bytes, isMaskCharacter).empty())
        return std::nullopt;
    return bytes;
}

void AXTextReader::selectedTextViaAX(platform::PrimarySelection::ServerTime gestureStart,
                                     TextHandler handler) {
    unlessPasswordFocused(
        [this, gestureStart, handler] {
            primary_.readSetSince(gestureStart, [handler](std::optional<std::string> bytes) {
                handler(usableText(std::move(bytes)));
            });
        },
        handler);
}

void AXTextReader::selectedTextViaClipboard(TextHandler handler) {
    unlessPasswordFocused(
        [this, handler] {
            clipboard_.copyFromFocusedWindow([handler](std::optional<platform::ClipboardCopy> copy) {
                handler(copy ? usableText(std::move(copy->text)) : std::nullopt);
            });
        },
        handler);
}

} // namespace ondravell
