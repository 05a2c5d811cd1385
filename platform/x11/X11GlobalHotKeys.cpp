#include "platform/x11/X11GlobalHotKeys.h"

#include "platform/x11/CarbonKeyNames.h"

#include <QSocketNotifier>
#include <array>
#include <cstdlib>
#include <string>
#include <vector>
#include <xcb/xcb.h>
#include <xkbcommon/xkbcommon-keysyms.h>
#include <xkbcommon/xkbcommon-x11.h>

namespace ondravell::platform {

namespace {

constexpr std::uint16_t capsLock = XCB_MOD_MASK_LOCK;
constexpr std::uint16_t anyModifier = XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_LOCK | XCB_MOD_MASK_CONTROL |
                                      XCB_MOD_MASK_1 | XCB_MOD_MASK_2 | XCB_MOD_MASK_3 | XCB_MOD_MASK_4 |
                                      XCB_MOD_MASK_5;

template <class Reply> struct Freed {
    Reply* reply;
    ~Freed() { std::free(reply); }
};

bool holdsSymbol(xkb_keymap* keymap, xkb_keycode_t keycode, std::initializer_list<xkb_keysym_t> wanted) {
    const xkb_keysym_t* symbols = nullptr;
    int count = xkb_keymap_key_get_syms_by_level(keymap, keycode, 0, 0, &symbols);
    for (int i = 0; i < count; ++i)
        for (xkb_keysym_t symbol : wanted)
            if (symbols[i] == symbol)
                return true;
    return false;
}

} // namespace

X11GlobalHotKeys::X11GlobalHotKeys() = default;

X11GlobalHotKeys::~X11GlobalHotKeys() {
    if (notifier_)
        notifier_->setEnabled(false);
    notifier_.reset();
    if (keymap_)
        xkb_keymap_unref(keymap_);
    if (context_)
        xkb_context_unref(context_);
    // Closing the connection releases its grabs.
    if (connection_)
        xcb_disconnect(connection_);
}

bool X11GlobalHotKeys::connect() {
    if (connection_)
        return !xcb_connection_has_error(connection_);
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return false;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem; ++i)
        xcb_screen_next(&screens);
    if (!screens.rem || !xkb_x11_setup_xkb_extension(
                            connection, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
                            XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, nullptr, nullptr)) {
        xcb_disconnect(connection);
        return false;
    }
    connection_ = connection;
    root_ = screens.data->root;
    notifier_ =
        std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(connection_), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(), [this] { readEvents(); });
    return true;
}

bool X11GlobalHotKeys::loadKeymap() {
    if (keymap_)
        return true;
    if (!context_)
        context_ = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    std::int32_t device = xkb_x11_get_core_keyboard_device_id(connection_);
    if (!context_ || device < 0)
        return false;
    keymap_ = xkb_x11_keymap_new_from_device(context_, connection_, device, XKB_KEYMAP_COMPILE_NO_FLAGS);
    if (!keymap_)
        return false;

    // Which of the eight modifier bits carry Super, Alt and Num Lock on this server.
    bits_ = {XCB_MOD_MASK_4, XCB_MOD_MASK_1, XCB_MOD_MASK_2};
    Freed<xcb_get_modifier_mapping_reply_t> mapping{
        xcb_get_modifier_mapping_reply(connection_, xcb_get_modifier_mapping(connection_), nullptr)};
    if (!mapping.reply)
        return true;
    const xcb_keycode_t* keycodes = xcb_get_modifier_mapping_keycodes(mapping.reply);
    const int perModifier = mapping.reply->keycodes_per_modifier;
    ModifierBits found;
    for (int modifier = 0; modifier < 8; ++modifier) {
        const auto bit = static_cast<std::uint16_t>(1u << modifier);
        for (int k = 0; k < perModifier; ++k) {
            xcb_keycode_t keycode = keycodes[modifier * perModifier + k];
            if (keycode == 0)
                continue;
            if (!found.super && holdsSymbol(keymap_, keycode, {XKB_KEY_Super_L, XKB_KEY_Super_R}))
                found.super = bit;
            if (!found.alt && holdsSymbol(keymap_, keycode, {XKB_KEY_Alt_L, XKB_KEY_Alt_R, XKB_KEY_Meta_L}))
                found.alt = bit;
            if (!found.numLock && holdsSymbol(keymap_, keycode, {XKB_KEY_Num_Lock}))
                found.numLock = bit;
        }
    }
    if (found.super)
        bits_.super = found.super;
    if (found.alt)
        bits_.alt = found.alt;
    if (found.numLock)
        bits_.numLock = found.numLock;
    return true;
}

std::optional<std::uint16_t> X11GlobalHotKeys::xModifiers(std::uint32_t carbonModifiers) const {
    constexpr std::uint32_t known = commandModifier | shiftModifier | optionModifier | controlModifier;
    if (carbonModifiers & ~known)
        return std::nullopt;
    std::uint16_t modifiers = 0;
    if (carbonModifiers & commandModifier)
        modifiers |= bits_.super;
    if (carbonModifiers & optionModifier)
        modifiers |= bits_.alt;
    if (carbonModifiers & controlModifier)
        modifiers |= XCB_MOD_MASK_CONTROL;
    if (carbonModifiers & shiftModifier)
        modifiers |= XCB_MOD_MASK_SHIFT;
    return modifiers;
}

bool X11GlobalHotKeys::grab(std::uint8_t keycode, std::uint16_t modifiers) {
    xcb_void_cookie_t cookie = xcb_grab_key_checked(connection_, 1, root_, modifiers, keycode,
                                                    XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
    // A combination another client grabbed answers BadAccess.
    Freed<xcb_generic_error_t> error{xcb_request_check(connection_, cookie)};
    return error.reply == nullptr;
}

void X11GlobalHotKeys::ungrab(std::uint8_t keycode, std::uint16_t modifiers) {
    xcb_ungrab_key(connection_, keycode, root_, modifiers);
}

std::optional<GlobalHotKeys::Reference>
X11GlobalHotKeys::registerHotKey(std::uint32_t keyCode, std::uint32_t carbonModifiers, std::uint32_t id) {
    std::optional<std::string_view> name = CarbonKeyNames::xkbName(keyCode);
    if (!name || !connect() || !loadKeymap())
        return std::nullopt;
    xkb_keycode_t keycode = xkb_keymap_key_by_name(keymap_, std::string(*name).c_str());
    std::optional<std::uint16_t> modifiers = xModifiers(carbonModifiers);
    if (keycode == XKB_KEYCODE_INVALID || keycode > 255 || !modifiers)
        return std::nullopt;
    for (const auto& [reference, held] : grabs_)
        if (held.keycode == keycode && held.modifiers == *modifiers)
            return std::nullopt;

    const std::array<std::uint16_t, 4> locks{0, capsLock, bits_.numLock,
                                             static_cast<std::uint16_t>(capsLock | bits_.numLock)};
    for (std::size_t i = 0; i < locks.size(); ++i) {
        if (!grab(static_cast<std::uint8_t>(keycode), *modifiers | locks[i])) {
            for (std::size_t j = 0; j < i; ++j)
                ungrab(static_cast<std::uint8_t>(keycode), *modifiers | locks[j]);
            xcb_flush(connection_);
            return std::nullopt;
        }
    }
    Reference reference = nextReference_++;
    grabs_[reference] = {static_cast<std::uint8_t>(keycode), *modifiers, id};
    return reference;
}

void X11GlobalHotKeys::unregisterHotKey(Reference reference) {
    auto it = grabs_.find(reference);
    if (it == grabs_.end())
        return;
    const Grab held = it->second;
    grabs_.erase(it);
    for (std::uint16_t lock :
         {std::uint16_t(0), capsLock, bits_.numLock, static_cast<std::uint16_t>(capsLock | bits_.numLock)})
        ungrab(held.keycode, held.modifiers | lock);
    xcb_flush(connection_);
}

void X11GlobalHotKeys::readEvents() {
    // The handler may register and unregister meanwhile: collect first, call after.
    std::vector<std::uint32_t> pressed;
    while (connection_) {
        Freed<xcb_generic_event_t> event{xcb_poll_for_event(connection_)};
        if (!event.reply)
            break;
        const std::uint8_t type = event.reply->response_type & 0x7f;
        if (type == XCB_MAPPING_NOTIFY && keymap_) {
            // Another layout: the next registration reads the keymap again.
            xkb_keymap_unref(keymap_);
            keymap_ = nullptr;
        } else if (type == XCB_KEY_PRESS) {
            const auto* press = reinterpret_cast<const xcb_key_press_event_t*>(event.reply);
            const std::uint16_t modifiers = press->state & anyModifier & ~(capsLock | bits_.numLock);
            for (const auto& [reference, held] : grabs_)
                if (held.keycode == press->detail && held.modifiers == modifiers)
                    pressed.push_back(held.id);
            // The press turned the passive grab into a grab of the whole keyboard, held until the key
            // goes up. Give the keyboard back at once, so keys typed or synthesised next reach the
            // focused window.
            xcb_ungrab_keyboard(connection_, XCB_CURRENT_TIME);
            xcb_flush(connection_);
        }
    }
    if (connection_ && xcb_connection_has_error(connection_))
        notifier_->setEnabled(false);
    for (std::uint32_t id : pressed)
        if (handler_)
            handler_(id);
}

} // namespace ondravell::platform
