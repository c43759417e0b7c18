#include "platform/qt/end_signals.h"

#include <QSocketNotifier>

#include <csignal>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tallymar {
namespace {

// The pipe's two ends: the handler writes the signal's number into [0], the event
// loop reads it from [1]. One program has one set of signal handlers, so one pipe.
int g_pipe[2] = {-1, -1};
constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

void OnSignal(int signal_number) {
    const unsigned char byte = static_cast<unsigned char>(signal_number);
    [[maybe_unused]] const ssize_t ignored = ::write(g_pipe[0], &byte, 1);
}

}  // namespace

EndSignals::EndSignals(QObject* parent) : QObject(parent) {
    if (g_pipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0,
                                      g_pipe) != 0) {
        return;  // the program still runs; it only ends at once on these signals
    }
    notifier_ = new QSocketNotifier(g_pipe[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        unsigned char byte = 0;
        if (::read(g_pipe[1], &byte, 1) != 1 || ended_) return;
        ended_ = true;
        if (on_end) on_end(byte);
    });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal_number : kSignals) ::sigaction(signal_number, &action, nullptr);
}

EndSignals::~EndSignals() {
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (int signal_number : kSignals) ::sigaction(signal_number, &action, nullptr);
}

}  // namespace tallymar
