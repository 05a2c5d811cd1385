#pragma once

#include <cstdint>
#include <functional>
#include <optional>

namespace ondravell::platform {

// Watches mouse input meant for other applications' windows. Handlers are called on the thread that
// owns the event loop; input over the application's own windows is not reported.
class GlobalMouseMonitors {
public:
    enum class Kind { leftMouseDown, leftMouseUp, rightMouseDown, scrollWheel };
    struct Event {
        double x = 0;
        double y = 0;
        int clickCount = 1;
        // Milliseconds on the display server's clock, which wraps around; 0 when unknown.
        std::uint32_t serverTime = 0;
    };
    using Token = std::uint64_t;
    using Handler = std::function<void(const Event&)>;

    virtual ~GlobalMouseMonitors() = default;

    // nullopt when the system refuses to install the monitor.
    virtual std::optional<Token> install(Kind kind, Handler handler) = 0;
    virtual void remove(Token token) = 0;
};

} // namespace ondravell::platform
