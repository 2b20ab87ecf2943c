#include "quit_on_signal.h"

#include <QApplication>
#include <QSocketNotifier>

#include <array>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace varnok {

namespace {

// The handler only writes a byte; the event loop reads it, closes the
// windows and quits.
std::array<int, 2> signalPipe{-1, -1};

extern "C" void onTerminationSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalPipe[0], &byte, 1);
}

}  // namespace

void quitOnTerminationSignals()
{
    if (signalPipe[0] != -1)
        return;
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe.data()) != 0) {
        signalPipe = {-1, -1};
        return;
    }

    auto* notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read,
                                         QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [notifier] {
        notifier->setEnabled(false);
        char byte = 0;
        [[maybe_unused]] const auto got = ::read(signalPipe[1], &byte, 1);
        // Closing the windows first lets them write what they keep (the options).
        QApplication::closeAllWindows();
        QCoreApplication::quit();
    });

    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int sig : {SIGINT, SIGTERM, SIGHUP})
        ::sigaction(sig, &action, nullptr);
}

}  // namespace varnok
