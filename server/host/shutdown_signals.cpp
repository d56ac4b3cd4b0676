#include "server/host/shutdown_signals.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <stdexcept>

namespace zarnevo {
namespace {

// [0] is written by the handler, [1] read by the event loop.
int g_pair[2] = {-1, -1};

// Async-signal-safe: write(2) of one byte that names the signal, errno kept.
void OnSignal(int number) {
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(number);
    [[maybe_unused]] const auto written = ::write(g_pair[0], &byte, 1);
    errno = savedErrno;
}

void Install(int number, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    if (sigaction(number, &action, nullptr) != 0) {
        throw std::runtime_error("cannot install a signal handler");
    }
}

}  // namespace

ShutdownSignals::ShutdownSignals() {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_pair) != 0) {
        throw std::runtime_error("cannot create the signal socket pair");
    }
    notifier_ = std::make_unique<QSocketNotifier>(g_pair[1], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &ShutdownSignals::drain);
    Install(SIGINT, OnSignal);
    Install(SIGTERM, OnSignal);
    // A console that vanishes while being written to must not end the server.
    Install(SIGPIPE, SIG_IGN);
}

ShutdownSignals::~ShutdownSignals() {
    Install(SIGINT, SIG_DFL);
    Install(SIGTERM, SIG_DFL);
    notifier_.reset();
    ::close(g_pair[0]);
    ::close(g_pair[1]);
    g_pair[0] = g_pair[1] = -1;
}

void ShutdownSignals::drain() {
    unsigned char byte = 0;
    bool any = false;
    while (::read(g_pair[1], &byte, 1) == 1) {
        lastSignal_ = byte;
        any = true;
    }
    if (any) {
        Q_EMIT requested();
    }
}

}  // namespace zarnevo
