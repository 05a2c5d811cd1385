#pragma once

#include "platform/OneShotTimers.h"

#include <QObject>
#include <map>

class QTimer;

namespace ondravell::platform {

// Single-shot QTimers on the event loop of the thread that created this object. No timer runs between
// schedules, so an idle program wakes up for nothing.
class QtOneShotTimers final : public OneShotTimers {
public:
    QtOneShotTimers() = default;
    ~QtOneShotTimers() override;
    QtOneShotTimers(const QtOneShotTimers&) = delete;
    QtOneShotTimers& operator=(const QtOneShotTimers&) = delete;

    Token schedule(std::chrono::milliseconds delay, Callback callback) override;
    void cancel(Token token) override;

private:
    Token nextToken_ = 1;
    std::map<Token, QTimer*> timers_;
};

} // namespace ondravell::platform
