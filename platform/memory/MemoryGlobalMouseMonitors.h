#pragma once

#include "platform/GlobalMouseMonitors.h"

#include <map>

namespace ondravell::platform {

// Monitors that tests fire by hand. `refuseInstalls` makes every install fail, as a session without
// global input would.
class MemoryGlobalMouseMonitors final : public GlobalMouseMonitors {
public:
    std::optional<Token> install(Kind kind, Handler handler) override;
    void remove(Token token) override { monitors_.erase(token); }

    void setRefuseInstalls(bool refuse) { refuse_ = refuse; }
    std::size_t installedCount() const { return monitors_.size(); }
    std::size_t installedCount(Kind kind) const;
    // Calls every handler of `kind`.
    void fire(Kind kind, const Event& event);

private:
    bool refuse_ = false;
    Token nextToken_ = 1;
    std::map<Token, std::pair<Kind, Handler>> monitors_;
};

} // namespace ondravell::platform
