#pragma once

#include "platform/GlobalMouseMonitors.h"

namespace ondravell {

// Refuses every monitor, as a session without global input does. The program uses it until global mouse
// monitoring is available on this platform layer; the selection monitor then keeps its monitors absent.
class NoGlobalMouseMonitors final : public platform::GlobalMouseMonitors {
public:
    std::optional<Token> install(Kind, Handler) override { return std::nullopt; }
    void remove(Token) override {}
};

} // namespace ondravell
