#include "platform/memory/MemoryGlobalMouseMonitors.h"

#include <vector>

namespace ondravell::platform {

std::optional<GlobalMouseMonitors::Token> MemoryGlobalMouseMonitors::install(Kind kind, Handler handler) {
    if (refuse_)
        return std::nullopt;
    Token token = nextToken_++;
    monitors_.emplace(token, std::make_pair(kind, std::move(handler)));
    return token;
}

std::size_t MemoryGlobalMouseMonitors::installedCount(Kind kind) const {
    std::size_t count = 0;
    for (const auto& [token, entry] : monitors_)
        count += entry.first == kind ? 1 : 0;
    return count;
}

void MemoryGlobalMouseMonitors::fire(Kind kind, const Event& event) {
    std::vector<Handler> handlers;
    for (const auto& [token, entry] : monitors_)
        if (entry.first == kind)
            handlers.push_back(entry.second);
    for (const auto& handler : handlers)
        handler(event);
}

} // namespace ondravell::platform
