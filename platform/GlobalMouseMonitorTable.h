#pragma once

#include "platform/GlobalMouseMonitors.h"

#include <map>
#include <vector>

namespace ondravell::platform {

// The installed monitors of a GlobalMouseMonitors implementation, by token.
class GlobalMouseMonitorTable {
public:
    using Kind = GlobalMouseMonitors::Kind;
    using Token = GlobalMouseMonitors::Token;

    Token add(Kind kind, GlobalMouseMonitors::Handler handler) {
        Token token = nextToken_++;
        monitors_.emplace(token, std::make_pair(kind, std::move(handler)));
        return token;
    }
    void remove(Token token) { monitors_.erase(token); }
    bool empty() const { return monitors_.empty(); }
    std::size_t size() const { return monitors_.size(); }
    std::size_t count(Kind kind) const {
        std::size_t n = 0;
        for (const auto& [token, entry] : monitors_)
            n += entry.first == kind ? 1 : 0;
        return n;
    }
    // Calls every handler of `kind`. A handler may add or remove monitors meanwhile.
    void dispatch(Kind kind, const GlobalMouseMonitors::Event& event) const {
        std::vector<GlobalMouseMonitors::Handler> handlers;
        for (const auto& [token, entry] : monitors_)
            if (entry.first == kind)
                handlers.push_back(entry.second);
        for (const auto& handler : handlers)
            handler(event);
    }

private:
    Token nextToken_ = 1;
    std::map<Token, std::pair<Kind, GlobalMouseMonitors::Handler>> monitors_;
};

} // namespace ondravell::platform
