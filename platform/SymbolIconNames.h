#pragma once

#include <array>
#include <string_view>

namespace ondravell::platform {

// How one symbol name is shown on this desktop. Symbol names stay as they are in settings, messages
// and tables; a toolkit draws them through the freedesktop icon theme (the symbolic variant of
// `iconName`) and, where the theme has no such icon or none fits, through the bundled picture
// `fallbackImage`. An empty `iconName` means no theme icon fits: the bundled picture is always used.
struct SymbolIconName {
    std::string_view symbol;
    std::string_view iconName;
    std::string_view fallbackImage;
};

// Every symbol the system's tables, messages and windows use.
inline constexpr std::array symbolIconNames = {
    // Files and documents
    SymbolIconName{"doc", "text-x-generic", "doc"},
    SymbolIconName{"doc.text", "text-x-generic", "doc.text"},
    SymbolIconName{"doc.text.fill", "x-office-document", "doc.text"},
    SymbolIconName{"doc.plaintext", "text-x-generic", "doc.text"},
    SymbolIconName{"doc.richtext", "x-office-document", "doc.text"},
    SymbolIconName{"doc.richtext.fill", "x-office-document", "doc.text"},
    SymbolIconName{"note.text", "accessories-text-editor", "note"},
    SymbolIconName{"doc.badge.plus", "document-new", "doc.plus"},
    SymbolIconName{"arrow.down.doc", "document-save", "doc.arrow.down"},
    SymbolIconName{"doc.on.doc", "edit-copy", "copy"},
    SymbolIconName{"doc.on.clipboard", "edit-copy", "copy"},
    SymbolIconName{"doc.on.clipboard.fill", "edit-paste", "clipboard"},
    SymbolIconName{"scissors", "edit-cut", "scissors"},
    SymbolIconName{"trash", "user-trash", "trash"},
    SymbolIconName{"trash.slash", "user-trash", "trash"},
    SymbolIconName{"folder", "folder", "folder"},
    SymbolIconName{"folder.badge.plus", "folder-new", "folder.plus"},
    SymbolIconName{"folder.badge.questionmark", "folder-open", "folder"},
    SymbolIconName{"square.and.arrow.down.on.square", "edit-copy", "tray.arrow.down"},
    SymbolIconName{"arrowshape.turn.up.right", "go-jump", "arrow.turn"},
    SymbolIconName{"link", "", "link"},
    SymbolIconName{"eye", "view-reveal", "eye"},
    SymbolIconName{"terminal", "utilities-terminal", "terminal"},
    SymbolIconName{"chevron.left.forwardslash.chevron.right", "", "code"},
    SymbolIconName{"number", "", "number"},
    SymbolIconName{"textformat", "format-text-plaintext", "textformat"},
    SymbolIconName{"info.circle", "help-about", "info"},
    SymbolIconName{"cursorarrow.click.2", "input-mouse", "cursor"},
    SymbolIconName{"square.and.pencil", "document-edit", "pencil"},
    // Template icons
    SymbolIconName{"curlybraces", "", "braces"},
    SymbolIconName{"curlybraces.square", "", "braces"},
    SymbolIconName{"curlybraces.square.fill", "", "braces"},
    SymbolIconName{"tablecells", "x-office-spreadsheet", "table"},
    SymbolIconName{"tablecells.fill", "x-office-spreadsheet", "table"},
    SymbolIconName{"list.bullet.rectangle", "view-list-bullet", "list"},
    SymbolIconName{"list.bullet.rectangle.fill", "view-list-bullet", "list"},
    SymbolIconName{"swift", "", "code"},
    SymbolIconName{"cylinder", "", "cylinder"},
    SymbolIconName{"paintbrush", "applications-graphics", "paintbrush"},
    SymbolIconName{"globe", "", "globe"},
    SymbolIconName{"play.rectangle.fill", "x-office-presentation", "play"},
    SymbolIconName{"photo", "image-x-generic", "photo"},
    SymbolIconName{"music.note", "audio-x-generic", "music"},
    SymbolIconName{"film", "video-x-generic", "film"},
    SymbolIconName{"book", "accessories-dictionary", "book"},
    SymbolIconName{"gearshape", "emblem-system", "gear"},
    SymbolIconName{"key", "dialog-password", "key"},
    SymbolIconName{"lock", "changes-prevent", "lock"},
    SymbolIconName{"envelope", "mail-unread", "envelope"},
    SymbolIconName{"calendar", "x-office-calendar", "calendar"},
    SymbolIconName{"star", "starred", "star"},
    SymbolIconName{"tag", "", "tag"},
    SymbolIconName{"flame", "", "flame"},
    SymbolIconName{"leaf", "", "leaf"},
    SymbolIconName{"bolt", "", "bolt"},
    SymbolIconName{"wrench.and.screwdriver", "applications-engineering", "wrench"},
    SymbolIconName{"cube", "package-x-generic", "cube"},
    // Selection toolbar
    SymbolIconName{"translate", "preferences-desktop-locale", "translate"},
    SymbolIconName{"character.book.closed", "accessories-dictionary", "book"},
    SymbolIconName{"magnifyingglass", "edit-find", "magnifier"},
    SymbolIconName{"sparkle", "", "sparkle"},
    SymbolIconName{"sparkles", "", "sparkle"},
    SymbolIconName{"arrow.up.right.square", "", "open.external"},
    SymbolIconName{"arrow.left.arrow.right", "", "arrows.swap"},
    SymbolIconName{"plus.forwardslash.minus", "accessories-calculator", "calculator"},
    SymbolIconName{"clock", "preferences-system-time", "clock"},
    SymbolIconName{"paintpalette", "preferences-color", "palette"},
    SymbolIconName{"qrcode", "", "qrcode"},
    // Outcomes
    SymbolIconName{"checkmark.circle.fill", "emblem-default", "checkmark.circle"},
    SymbolIconName{"checkmark.seal.fill", "", "checkmark.seal"},
    SymbolIconName{"xmark.seal.fill", "", "xmark.circle"},
    SymbolIconName{"xmark.circle.fill", "", "xmark.circle"},
    SymbolIconName{"exclamationmark.triangle.fill", "dialog-warning", "warning"},
    SymbolIconName{"arrow.uturn.backward", "edit-undo", "undo"},
    SymbolIconName{"lock.badge.clock", "changes-prevent", "lock"},
    SymbolIconName{"square.and.arrow.up", "document-send", "share"},
    SymbolIconName{"square.and.arrow.down", "document-open", "tray.arrow.down"},
    SymbolIconName{"icloud", "", "cloud"},
    SymbolIconName{"icloud.slash", "", "cloud.slash"},
    SymbolIconName{"icloud.and.arrow.down", "", "cloud.arrow.down"},
    SymbolIconName{"arrow.down.circle", "software-update-available", "arrow.down.circle"},
    // Menus and windows
    SymbolIconName{"clock.arrow.circlepath", "document-open-recent", "history"},
    SymbolIconName{"power", "system-shutdown", "power"},
    SymbolIconName{"puzzlepiece.extension", "application-x-addon", "puzzle"},
    SymbolIconName{"filemenu.and.cursorarrow", "open-menu", "menu"},
    SymbolIconName{"cursorarrow.and.square.on.square.dashed", "", "selection"},
    SymbolIconName{"slider.horizontal.3", "", "sliders"},
    SymbolIconName{"chevron.backward", "go-previous", "chevron.left"},
    SymbolIconName{"chevron.forward", "go-next", "chevron.right"},
    SymbolIconName{"chevron.down", "pan-down", "chevron.down"},
    SymbolIconName{"plus", "list-add", "plus"},
    SymbolIconName{"pencil", "document-edit", "pencil"},
    SymbolIconName{"lock.shield", "security-high", "shield"},
    SymbolIconName{"hand.raised", "", "hand"},
};

// The table's entry for a symbol; none for a symbol the table does not know.
constexpr const SymbolIconName* symbolIconName(std::string_view symbolName) {
    for (const SymbolIconName& entry : symbolIconNames)
        if (entry.symbol == symbolName)
            return &entry;
    return nullptr;
}

// The icon-theme name for a symbol; empty when the theme has none for it (the item then shows no image
// unless the toolkit draws the bundled picture).
constexpr std::string_view iconNameForSymbol(std::string_view symbolName) {
    const SymbolIconName* entry = symbolIconName(symbolName);
    return entry ? entry->iconName : std::string_view();
}

} // namespace ondravell::platform
