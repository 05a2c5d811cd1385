#include "App/Selection/OutsideClickMonitor.h"

#include <QTimer>

namespace ondravell {

void OutsideClickMonitor::install(std::function<void()> pressed) {
    remove();
    if (!monitors_)
        return;
    using Kind = platform::GlobalMouseMonitors::Kind;
    std::weak_ptr<bool> alive = alive_;
    for (Kind kind : {Kind::leftMouseDown, Kind::rightMouseDown}) {
        auto token = monitors_->install(kind, [alive, pressed](const platform::GlobalMouseMonitors::Event&) {
            QTimer::singleShot(0, [alive, pressed] {
                if (alive.lock())
                    pressed();
            });
        });
        if (token)
            tokens_.push_back(*token);
    }
}

void OutsideClickMonitor::remove() {
    for (auto token : tokens_)
        if (monitors_)
            monitors_->remove(token);
    tokens_.clear();
}

} // namespace ondravell
