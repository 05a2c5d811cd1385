#pragma once

#include "platform/OneShotTimers.h"

#include <map>
#include <mutex>

typedef struct _GMainContext GMainContext;
typedef struct _GSource GSource;

namespace ondravell::platform {

// Single-shot timers on the GLib main context that was the thread's default when this object was made;
// callbacks run there. Timers may be scheduled and cancelled from any thread. Destruction (on the
// context's thread) drops every pending timer: none fires afterwards.
class GlibOneShotTimers final : public OneShotTimers {
public:
    GlibOneShotTimers();
    ~GlibOneShotTimers() override;
    GlibOneShotTimers(const GlibOneShotTimers&) = delete;
    GlibOneShotTimers& operator=(const GlibOneShotTimers&) = delete;

    Token schedule(std::chrono::milliseconds delay, Callback callback) override;
    void cancel(Token token) override;

private:
    struct Pending;
    static int fire(void* data);

    GMainContext* context_;
    std::mutex mutex_;
    Token nextToken_ = 1;
    std::map<Token, GSource*> sources_;
};

} // namespace ondravell::platform
