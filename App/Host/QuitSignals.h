#pragma once

#include <QObject>

class QSocketNotifier;

namespace ondravell {

// SIGTERM (what a session end sends), SIGINT and SIGHUP end the program through its event loop, as the
// tray's quit item does: the quit-time steps (a cloud push still waiting for its delay among them) run
// before the process exits. The handler only writes a byte to a pipe; the event loop reads it.
class QuitSignals final : public QObject {
public:
    // Installs the handlers; at most one instance lives at a time.
    explicit QuitSignals(QObject* parent = nullptr);
    ~QuitSignals() override;
    QuitSignals(const QuitSignals&) = delete;
    QuitSignals& operator=(const QuitSignals&) = delete;

private:
    void readSignal();

    QSocketNotifier* notifier_ = nullptr;
};

} // namespace ondravell
