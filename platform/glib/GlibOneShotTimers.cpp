#include "platform/glib/GlibOneShotTimers.h"

#include <algorithm>
#include <cstdint>
#include <glib.h>

namespace ondravell::platform {

struct GlibOneShotTimers::Pending {
    GlibOneShotTimers* owner;
    Token token;
    Callback callback;
};

GlibOneShotTimers::GlibOneShotTimers() : context_(g_main_context_ref_thread_default()) {}

GlibOneShotTimers::~GlibOneShotTimers() {
    std::map<Token, GSource*> pending;
    {
        std::lock_guard lock(mutex_);
        pending.swap(sources_);
    }
    for (auto& [token, source] : pending) {
        g_source_destroy(source);
        g_source_unref(source);
    }
    g_main_context_unref(context_);
}

OneShotTimers::Token GlibOneShotTimers::schedule(std::chrono::milliseconds delay, Callback callback) {
    GSource* source = g_timeout_source_new(static_cast<guint>(std::max<std::int64_t>(delay.count(), 0)));
    std::lock_guard lock(mutex_);
    const Token token = nextToken_++;
    g_source_set_callback(source, fire, new Pending{this, token, std::move(callback)},
                          [](gpointer data) { delete static_cast<Pending*>(data); });
    sources_.emplace(token, source);
    // Attached under the lock, so a cancel on another thread always finds a source it can destroy.
    g_source_attach(source, context_);
    return token;
}

void GlibOneShotTimers::cancel(Token token) {
    GSource* source = nullptr;
    {
        std::lock_guard lock(mutex_);
        auto found = sources_.find(token);
        if (found == sources_.end())
            return;
        source = found->second;
        sources_.erase(found);
    }
    g_source_destroy(source);
    g_source_unref(source);
}

int GlibOneShotTimers::fire(void* data) {
    auto* pending = static_cast<Pending*>(data);
    GSource* source = nullptr;
    {
        std::lock_guard lock(pending->owner->mutex_);
        auto found = pending->owner->sources_.find(pending->token);
        if (found == pending->owner->sources_.end())
            return G_SOURCE_REMOVE;
        source = found->second;
        pending->owner->sources_.erase(found);
    }
    // GLib keeps the source alive while it dispatches it.
    g_source_unref(source);
    try {
        if (pending->callback)
            pending->callback();
    } catch (...) {
        // Nothing may unwind into GLib's dispatch.
    }
    return G_SOURCE_REMOVE;
}

} // namespace ondravell::platform
