#pragma once

#include "platform/PrimarySelection.h"
#include "platform/x11/X11EventConnection.h"

#include <QTimer>
#include <memory>
#include <optional>
#include <string>

typedef struct _XDisplay Display;

namespace ondravell::platform {

// PRIMARY on a connection of its own to $DISPLAY, watched by the Qt event loop. XFixes reports every
// new owner with the server time of the change (not the time the owner claims, which a program may
// take from an old event); a read converts the selection to
// UTF8_STRING into a property of an unmapped window of ours, following the incremental protocol for
// large selections, bounded by `timeoutMs` and `maxBytes`.
class X11PrimarySelection final : public PrimarySelection {
public:
    struct Options {
        int timeoutMs = 300;
        std::size_t maxBytes = std::size_t(64) << 20;
    };

    X11PrimarySelection();
    explicit X11PrimarySelection(Options options);
    ~X11PrimarySelection() override;
    X11PrimarySelection(const X11PrimarySelection&) = delete;
    X11PrimarySelection& operator=(const X11PrimarySelection&) = delete;

    bool watch() override;
    void stopWatching() override;
    void setChangeHandler(ChangeHandler handler) override { changed_ = std::move(handler); }
    void readSetSince(ServerTime since, BytesHandler handler) override;

private:
    struct Read {
        BytesHandler handler;
        bool incremental = false;
        std::string bytes;
    };
    void readEvents();
    void answer(std::optional<std::string> bytes);
    void takeProperty();

    Options options_;
    Display* display_ = nullptr;
    unsigned long window_ = 0;
    unsigned long primary_ = 0, utf8_ = 0, incr_ = 0, property_ = 0;
    int fixesEvent_ = 0;
    X11EventConnection connection_;
    QTimer timeout_;
    // When the current owner took the selection; none seen since watching began.
    std::optional<ServerTime> ownerSince_;
    std::optional<Read> read_;
    ChangeHandler changed_;
};

} // namespace ondravell::platform
