#include "Extensions/FinderSync/Nautilus/NautilusMenuAdapter.h"

#include "platform/SymbolIconNames.h"

#include <nautilus-extension.h>

namespace ondravell::nautilus {

namespace {

struct Activation {
    MenuCommand command;
    CommandPerformer performer;
};

void onActivate(NautilusMenuItem*, gpointer userData) {
    auto* activation = static_cast<Activation*>(userData);
    try {
        activation->performer(activation->command);
    } catch (...) {
        // Nothing may unwind into the file manager; the action has nothing to report.
    }
}

void freeActivation(gpointer userData, GClosure*) {
    delete static_cast<Activation*>(userData);
}

NautilusMenuItem* makeItem(const MenuItem& item, const std::string& name, const CommandPerformer& performer);

NautilusMenu* makeMenu(const Menu& menu, const std::string& namePrefix, const CommandPerformer& performer) {
    NautilusMenu* result = nautilus_menu_new();
    std::size_t position = 0;
    for (const MenuItem& item : menu.items) {
        if (item.isSeparator)
            continue;
        NautilusMenuItem* child = makeItem(item, namePrefix + "-" + std::to_string(position++), performer);
        nautilus_menu_append_item(result, child);
        g_object_unref(child);
    }
    return result;
}

NautilusMenuItem* makeItem(const MenuItem& item, const std::string& name, const CommandPerformer& performer) {
    std::string label = escapedMnemonics(item.title);
    std::string icon(item.image ? platform::iconNameForSymbol(item.image->symbolName) : std::string_view());
    NautilusMenuItem* result =
        nautilus_menu_item_new(name.c_str(), label.c_str(), nullptr, icon.empty() ? nullptr : icon.c_str());
    if (item.submenu) {
        NautilusMenu* submenu = makeMenu(*item.submenu, name, performer);
        nautilus_menu_item_set_submenu(result, submenu);
        g_object_unref(submenu);
    } else if (item.command) {
        g_signal_connect_data(result, "activate", G_CALLBACK(onActivate),
                              new Activation{*item.command, performer}, freeActivation, GConnectFlags(0));
    }
    return result;
}

} // namespace

std::string escapedMnemonics(std::string_view label) {
    std::string escaped;
    escaped.reserve(label.size());
    for (char c : label) {
        escaped += c;
        if (c == '_')
            escaped += '_';
    }
    return escaped;
}

GList* makeNautilusMenuItems(const Menu& menu, std::string_view namePrefix,
                             const CommandPerformer& performer) {
    GList* items = nullptr;
    std::size_t position = 0;
    for (const MenuItem& item : menu.items) {
        if (item.isSeparator)
            continue;
        std::string name = std::string(namePrefix) + std::to_string(position++);
        items = g_list_prepend(items, makeItem(item, name, performer));
    }
    return g_list_reverse(items);
}

} // namespace ondravell::nautilus
