#pragma once

#include "platform/GlobalMouseMonitorTable.h"
#include "platform/GlobalMouseMonitors.h"

namespace ondravell::platform {

// Monitors that tests fire by hand. `refuseInstalls` makes every install fail, as a session without
// global input would.
class MemoryGlobalMouseMonitors final : public GlobalMouseMonitors {
public:
    std::optional<Token> install(Kind kind, Handler handler) override;
    void remove(Token token) override { table_.remove(token); }

    void setRefuseInstalls(bool refuse) { refuse_ = refuse; }
    std::size_t installedCount() const { return table_.size(); }
    std::size_t installedCount(Kind kind) const { return table_.count(kind); }
    // Calls every handler of `kind`.
    void fire(Kind kind, const Event& event) { table_.dispatch(kind, event); }

private:
    bool refuse_ = false;
    GlobalMouseMonitorTable table_;
};

} // namespace ondravell::platform
