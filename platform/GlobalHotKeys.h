#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

namespace ondravell::platform {

// System-wide key combinations. Keys and modifiers come in the stored form of the settings: a Carbon
// virtual key code and a Carbon modifier mask (the masks below); the implementation translates them to
// its own keys. Every call belongs on the thread that runs the event loop, where the handler is called.
class GlobalHotKeys {
public:
    static constexpr std::uint32_t commandModifier = 0x0100;
    static constexpr std::uint32_t shiftModifier = 0x0200;
    static constexpr std::uint32_t optionModifier = 0x0800;
    static constexpr std::uint32_t controlModifier = 0x1000;

    using Reference = std::uint64_t;
    // Called with the id given at registration, once for each press.
    using Handler = std::function<void(std::uint32_t id)>;

    virtual ~GlobalHotKeys() = default;

    // Replaces the function that receives presses.
    virtual void setHandler(Handler handler) = 0;
    // Starts delivering presses of the combination under `id`. nullopt when it is refused: a key this
    // keyboard lacks, a combination another program or an earlier registration holds, or no system
    // support (a session without an X server).
    virtual std::optional<Reference> registerHotKey(std::uint32_t keyCode, std::uint32_t carbonModifiers,
                                                    std::uint32_t id) = 0;
    // Stops a registration; an unknown reference is ignored.
    virtual void unregisterHotKey(Reference reference) = 0;
    // How long the user's keys may still be held after a press is delivered (a desktop that runs a
    // command on press delivers it with the keys down): whoever synthesises keys for a press waits
    // this long first.
    virtual std::chrono::milliseconds keysHeldAfterPress() const { return std::chrono::milliseconds(0); }
};

} // namespace ondravell::platform
