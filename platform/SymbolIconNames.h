#pragma once

#include <array>
#include <string_view>
#include <utility>

namespace ondravell::platform {

// Symbol names stay as they are in settings, messages and tables; a toolkit shows them through the
// freedesktop icon theme under these names. Every symbol the system's tables use is listed.
inline constexpr std::array<std::pair<std::string_view, std::string_view>, 24> symbolIconNames = {{
    {"doc.on.doc", "edit-copy"},
    {"doc.on.clipboard", "edit-copy"},
    {"scissors", "edit-cut"},
    {"doc.on.clipboard.fill", "edit-paste"},
    {"trash.slash", "edit-delete"},
    {"doc.badge.plus", "document-new"},
    {"folder.badge.plus", "folder-new"},
    {"arrow.down.doc", "document-save"},
    {"terminal", "utilities-terminal"},
    {"chevron.left.forwardslash.chevron.right", "accessories-text-editor"},
    {"number", "dialog-password"},
    {"doc.text", "text-x-generic"},
    {"textformat", "format-text-bold"},
    {"info.circle", "dialog-information"},
    {"square.and.arrow.down.on.square", "document-send"},
    {"arrowshape.turn.up.right", "go-jump"},
    {"link", "insert-link"},
    {"eye", "view-reveal"},
    {"folder", "folder"},
    {"cursorarrow.click.2", "input-mouse"},
    {"checkmark.circle.fill", "emblem-ok"},
    {"exclamationmark.triangle.fill", "dialog-warning"},
    {"xmark.circle.fill", "dialog-error"},
    {"doc", "text-x-generic"},
}};

// The icon-theme name for a symbol; empty when the symbol has none (the item then shows no image).
constexpr std::string_view iconNameForSymbol(std::string_view symbolName) {
    for (const auto& [symbol, icon] : symbolIconNames)
        if (symbol == symbolName)
            return icon;
    return {};
}

} // namespace ondravell::platform
