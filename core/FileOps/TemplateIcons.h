#pragma once

#include <array>
#include <string_view>

namespace ondravell {

// The symbols the template editor offers as a template's icon.
struct TemplateIcons {
    static constexpr std::array<std::string_view, 30> choices = {
        "doc",
        "doc.text",
        "doc.richtext",
        "doc.plaintext",
        "note.text",
        "curlybraces",
        "chevron.left.forwardslash.chevron.right",
        "tablecells",
        "terminal",
        "swift",
        "cylinder",
        "paintbrush",
        "list.bullet.rectangle",
        "globe",
        "photo",
        "music.note",
        "film",
        "book",
        "gearshape",
        "key",
        "lock",
        "envelope",
        "calendar",
        "star",
        "tag",
        "flame",
        "leaf",
        "bolt",
        "wrench.and.screwdriver",
        "cube",
    };
};

} // namespace ondravell
