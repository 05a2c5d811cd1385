#include "platform/qt/QtOneShotTimers.h"

#include <QTimer>

namespace ondravell::platform {

QtOneShotTimers::~QtOneShotTimers() {
    for (auto& [token, timer] : timers_)
        delete timer;
}

OneShotTimers::Token QtOneShotTimers::schedule(std::chrono::milliseconds delay, Callback callback) {
    Token token = nextToken_++;
    auto* timer = new QTimer;
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer, &QTimer::timeout, timer, [this, token, callback = std::move(callback)] {
        auto it = timers_.find(token);
        if (it == timers_.end())
            return;
        QTimer* fired = it->second;
        timers_.erase(it);
        fired->deleteLater();
        callback();
    });
    timers_.emplace(token, timer);
    timer->start(delay);
    return token;
}

void QtOneShotTimers::cancel(Token token) {
    auto it = timers_.find(token);
    if (it == timers_.end())
        return;
    it->second->stop();
    it->second->deleteLater();
    timers_.erase(it);
}

} // namespace ondravell::platform
