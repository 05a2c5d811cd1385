#include "platform/x11/X11EventConnection.h"

#include <QSocketNotifier>
#include <X11/Xlib.h>

namespace ondravell::platform {

X11EventConnection::X11EventConnection() = default;

X11EventConnection::~X11EventConnection() {
    close();
}

void X11EventConnection::watch(Display* display, std::function<void()> onEvents) {
    close();
    display_ = display;
    onEvents_ = std::move(onEvents);
    notifier_ = std::make_unique<QSocketNotifier>(ConnectionNumber(display_), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(), [this] { onEvents_(); });
}

void X11EventConnection::close() {
    // The notifier may be delivering its own signal right now.
    if (notifier_) {
        notifier_->setEnabled(false);
        notifier_.release()->deleteLater();
    }
    if (display_)
        XCloseDisplay(display_);
    display_ = nullptr;
}

void X11EventConnection::readQueuedLater() {
    if (display_ && notifier_ && XQLength(display_) > 0)
        QMetaObject::invokeMethod(
            notifier_.get(), [this] { onEvents_(); }, Qt::QueuedConnection);
}

} // namespace ondravell::platform
