#include "App/Host/QuitSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace ondravell {

namespace {

constexpr std::array handledSignals{SIGTERM, SIGINT, SIGHUP};

// A signal handler can reach only static storage; the pipe is the one thing it touches.
int pipeEnds[2] = {-1, -1};

void onSignal(int signal) {
    int saved = errno;
    auto byte = static_cast<unsigned char>(signal);
    // A full pipe already holds a quit request.
    [[maybe_unused]] ssize_t written = ::write(pipeEnds[1], &byte, 1);
    errno = saved;
}

} // namespace

QuitSignals::QuitSignals(QObject* parent) : QObject(parent) {
    if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    notifier_ = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { readSignal(); });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : handledSignals)
        ::sigaction(signal, &action, nullptr);
}

QuitSignals::~QuitSignals() {
    if (!notifier_)
        return;
    for (int signal : handledSignals)
        std::signal(signal, SIG_DFL);
    delete notifier_;
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    pipeEnds[0] = pipeEnds[1] = -1;
}

void QuitSignals::readSignal() {
    unsigned char bytes[16];
    while (::read(pipeEnds[0], bytes, sizeof bytes) > 0) {
    }
    QCoreApplication::quit();
}

} // namespace ondravell
