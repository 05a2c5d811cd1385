#pragma once

#include "platform/GlobalHotKeys.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>

struct xcb_connection_t;
struct xkb_context;
struct xkb_keymap;
class QSocketNotifier;

namespace ondravell::platform {

// Global hot keys as passive key grabs on the root window of $DISPLAY, on an X connection of their own
// that the Qt event loop watches. Each combination is grabbed once for every state of Caps Lock and
// Num Lock, so the locks do not disable it. Carbon key codes become X keycodes through the XKB key
// names of the current keymap; command, option, control and shift become the modifiers that hold
// Super, Alt, Control and Shift. Without an X server (a pure Wayland session) nothing is registered.
class X11GlobalHotKeys final : public GlobalHotKeys {
public:
    X11GlobalHotKeys();
    ~X11GlobalHotKeys() override;
    X11GlobalHotKeys(const X11GlobalHotKeys&) = delete;
    X11GlobalHotKeys& operator=(const X11GlobalHotKeys&) = delete;

    void setHandler(Handler handler) override { handler_ = std::move(handler); }
    std::optional<Reference> registerHotKey(std::uint32_t keyCode, std::uint32_t carbonModifiers,
                                            std::uint32_t id) override;
    void unregisterHotKey(Reference reference) override;

private:
    struct Grab {
        std::uint8_t keycode = 0;
        std::uint16_t modifiers = 0;
        std::uint32_t id = 0;
    };
    struct ModifierBits {
        std::uint16_t super = 0, alt = 0, numLock = 0;
    };

    bool connect();
    bool loadKeymap();
    std::optional<std::uint16_t> xModifiers(std::uint32_t carbonModifiers) const;
    bool grab(std::uint8_t keycode, std::uint16_t modifiers);
    void ungrab(std::uint8_t keycode, std::uint16_t modifiers);
    void readEvents();

    Handler handler_;
    xcb_connection_t* connection_ = nullptr;
    std::uint32_t root_ = 0;
    xkb_context* context_ = nullptr;
    xkb_keymap* keymap_ = nullptr;
    ModifierBits bits_;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::map<Reference, Grab> grabs_;
    Reference nextReference_ = 1;
};

} // namespace ondravell::platform
