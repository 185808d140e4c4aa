#include "SessionEnd.h"

#include <QGuiApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <QWidget>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

extern "C" void onSignal(int)
{
    const char byte = 1;
    // Only async-signal-safe work here: the event loop does the rest.
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
}

} // namespace

void installSessionEndHandler(QWidget* mainWindow)
{
    QPointer<QWidget> window(mainWindow);
    auto closeMain = [window] {
        if (window)
            window->close();
    };
    if (signalPipe[0] < 0 && ::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) == 0) {
        auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, qApp);
        QObject::connect(notifier, &QSocketNotifier::activated, qApp, [closeMain] {
            char buf[16];
            while (::read(signalPipe[0], buf, sizeof buf) > 0) {
            }
            closeMain();
        });
        struct sigaction sa = {};
        sa.sa_handler = onSignal;
        sigemptyset(&sa.sa_mask);
        sa.sa_flags = SA_RESTART;
        for (int sig : {SIGTERM, SIGINT, SIGHUP})
            ::sigaction(sig, &sa, nullptr);
    }
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, qApp,
                     [closeMain](QSessionManager&) { closeMain(); });
}
