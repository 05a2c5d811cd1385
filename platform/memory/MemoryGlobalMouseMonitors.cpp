#include "platform/memory/MemoryGlobalMouseMonitors.h"

namespace ondravell::platform {

std::optional<GlobalMouseMonitors::Token> MemoryGlobalMouseMonitors::install(Kind kind, Handler handler) {
    if (refuse_)
        return std::nullopt;
    return table_.add(kind, std::move(handler));
}

} // namespace ondravell::platform
