#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace ondravell::platform {

// Machine translation into the user's language by a program the user installed.
class Translator {
public:
    // nullopt: the translation failed or took too long.
    using Handler = std::function<void(std::optional<std::string>)>;
    // Names one translation for `cancel`; never 0.
    using Ticket = std::uint64_t;

    virtual ~Translator() = default;

    // Whether a translating program is installed, looked up at each call.
    virtual bool isAvailable() = 0;
    // Translates off the event loop's thread and calls `handler` on it once, unless the translation is
    // cancelled or the translator is destroyed first.
    virtual Ticket translate(const std::string& text, Handler handler) = 0;
    // Stops the translation if it still runs; its handler is not called. Unknown or finished tickets
    // are ignored.
    virtual void cancel(Ticket ticket) = 0;
};

} // namespace ondravell::platform
