#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace ondravell::platform {

// The text the user last selected in any program (the X11 PRIMARY selection). A selection is old news
// unless its owner set it during the gesture being handled, so reads name the time the gesture began.
class PrimarySelection {
public:
    // Milliseconds on the display server's clock, as input events carry them; wraps around.
    using ServerTime = std::uint32_t;
    // The selection's bytes as the owner sent them for UTF-8 text; nullopt when there is none.
    using BytesHandler = std::function<void(std::optional<std::string>)>;
    // Told the server time at which a new owner took the selection.
    using ChangeHandler = std::function<void(ServerTime changedAt)>;

    virtual ~PrimarySelection() = default;

    // Starts following changes of the selection's owner; reads only see changes made after this.
    // False when the display offers no way to follow them.
    virtual bool watch() = 0;
    virtual void stopWatching() = 0;
    // While watching, `handler` hears of every new owner, on the event loop's thread; an empty handler
    // stops that. Implementations that cannot tell keep silent.
    virtual void setChangeHandler(ChangeHandler handler) { (void)handler; }

    // Calls `handler` once, on the event loop's thread, with the selection's UTF-8 bytes when its owner
    // set it at or after `since`; nullopt when it is older, absent, not text, or the owner does not
    // answer in time. A new read ends the previous one with nullopt.
    virtual void readSetSince(ServerTime since, BytesHandler handler) = 0;
};

} // namespace ondravell::platform
