#include "platform/x11/XkbKeyboardLayout.h"

#include "platform/x11/CarbonKeyNames.h"

#include <array>
#include <xcb/xcb.h>
#include <xkbcommon/xkbcommon-x11.h>
#include <xkbcommon/xkbcommon.h>

namespace ondravell::platform {

struct XkbKeyboardLayout::Keymap {
    xkb_context* context = nullptr;
    xkb_keymap* keymap = nullptr;
    xkb_state* state = nullptr; // no modifier held, first group

    ~Keymap() {
        if (state)
            xkb_state_unref(state);
        if (keymap)
            xkb_keymap_unref(keymap);
        if (context)
            xkb_context_unref(context);
    }
};

XkbKeyboardLayout::XkbKeyboardLayout() = default;
XkbKeyboardLayout::~XkbKeyboardLayout() = default;

const XkbKeyboardLayout::Keymap* XkbKeyboardLayout::keymap() const {
    if (!tried_) {
        tried_ = true;
        keymap_ = readKeymap();
    }
    return keymap_.get();
}

std::optional<std::string> XkbKeyboardLayout::keysymName(std::uint32_t carbonKeyCode) const {
    std::optional<std::string_view> name = CarbonKeyNames::xkbName(carbonKeyCode);
    if (!name || !keymap())
        return std::nullopt;
    xkb_keycode_t keycode = xkb_keymap_key_by_name(keymap_->keymap, std::string(*name).c_str());
    const xkb_keysym_t* symbols = nullptr;
    if (keycode == XKB_KEYCODE_INVALID ||
        xkb_keymap_key_get_syms_by_level(keymap_->keymap, keycode, 0, 0, &symbols) < 1)
        return std::nullopt;
    std::array<char, 64> text{};
    int length = xkb_keysym_get_name(symbols[0], text.data(), text.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= text.size())
        return std::nullopt;
    return std::string(text.data(), static_cast<std::size_t>(length));
}

KeyDescription XkbKeyboardLayout::describe(std::uint32_t nativeKeyCode) const {
    KeyDescription description;
    if (!keymap())
        return description;
    if (const char* name = xkb_keymap_key_get_name(keymap_->keymap, nativeKeyCode))
        description.keyCode = CarbonKeyNames::carbonKeyCode(name);
    std::array<char, 16> text{};
    int length = xkb_state_key_get_utf8(keymap_->state, nativeKeyCode, text.data(), text.size());
    if (length > 0 && static_cast<std::size_t>(length) < text.size())
        description.text.assign(text.data(), static_cast<std::size_t>(length));
    return description;
}

std::unique_ptr<XkbKeyboardLayout::Keymap> XkbKeyboardLayout::readKeymap() {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return nullptr;
    }
    auto keymap = std::make_unique<XkbKeyboardLayout::Keymap>();
    if (xkb_x11_setup_xkb_extension(connection, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
                                    XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, nullptr,
                                    nullptr)) {
        std::int32_t device = xkb_x11_get_core_keyboard_device_id(connection);
        keymap->context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
        if (device >= 0 && keymap->context)
            keymap->keymap = xkb_x11_keymap_new_from_device(keymap->context, connection, device,
                                                            XKB_KEYMAP_COMPILE_NO_FLAGS);
        if (keymap->keymap)
            keymap->state = xkb_state_new(keymap->keymap);
    }
    xcb_disconnect(connection);
    if (!keymap->state)
        return nullptr;
    return keymap;
}

} // namespace ondravell::platform
