#pragma once

#include "platform/GlobalMouseMonitors.h"

#include <functional>
#include <memory>
#include <vector>

namespace ondravell {

// Calls back once per left or right mouse press in another application, on the next turn of the event
// loop (the monitors' own dispatch is still running when they report).
class OutsideClickMonitor {
public:
    explicit OutsideClickMonitor(platform::GlobalMouseMonitors* monitors) : monitors_(monitors) {}
    ~OutsideClickMonitor() { remove(); }
    OutsideClickMonitor(const OutsideClickMonitor&) = delete;
    OutsideClickMonitor& operator=(const OutsideClickMonitor&) = delete;

    // Replaces any watch installed before; without monitors nothing is watched.
    void install(std::function<void()> pressed);
    void remove();

private:
    platform::GlobalMouseMonitors* monitors_;
    std::vector<platform::GlobalMouseMonitors::Token> tokens_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace ondravell
