#include "App/Selection/AXTextReader.h"

#include "core/Support/UnicodeText.h"
#include "platform/ClipboardCopier.h"
#include "platform/FocusedText.h"

namespace ondravell {

AXTextReader::AXTextReader(platform::PrimarySelection& primary, platform::ClipboardCopier& clipboard,
                           platform::FocusedText* focused)
    : primary_(primary), clipboard_(clipboard), focused_(focused) {}

bool AXTextReader::passwordFocused() const {
    std::optional<platform::FocusedText::Focus> focus = focused_ ? focused_->focus() : std::nullopt;
    return focus && focus->password;
}

std::optional<std::string> AXTextReader::usableText(std::optional<std::string> bytes) {
    if (!bytes || bytes->empty() || bytes->find('\0') != std::string::npos ||
        !UnicodeText::isValidUTF8(*bytes))
        return std::nullopt;
    return bytes;
}

void AXTextReader::selectedTextViaAX(platform::PrimarySelection::ServerTime gestureStart,
                                     TextHandler handler) {
    if (passwordFocused()) {
        handler(std::nullopt);
        return;
    }
    primary_.readSetSince(gestureStart, [handler = std::move(handler)](std::optional<std::string> bytes) {
        handler(usableText(std::move(bytes)));
    });
}

void AXTextReader::selectedTextViaClipboard(TextHandler handler) {
    if (passwordFocused()) {
        handler(std::nullopt);
        return;
    }
    clipboard_.copyFromFocusedWindow(
        [handler = std::move(handler)](std::optional<platform::ClipboardCopy> copy) {
            handler(copy ? usableText(std::move(copy->text)) : std::nullopt);
        });
}

} // namespace ondravell
