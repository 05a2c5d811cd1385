#pragma once

#include <functional>
#include <optional>
#include <string>

namespace ondravell::platform {

// Machine translation into the user's language by a program the user installed.
class Translator {
public:
    // nullopt: the translation failed or took too long.
    using Handler = std::function<void(std::optional<std::string>)>;

    virtual ~Translator() = default;

    // Whether a translating program is installed, looked up at each call.
    virtual bool isAvailable() = 0;
    // Translates off the event loop's thread and calls `handler` on it once, unless the translator is
    // destroyed first.
    virtual void translate(const std::string& text, Handler handler) = 0;
};

} // namespace ondravell::platform
