#include "app/EndRequests.h"

#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_UNIX
// The pipe from the signal handler to the event loop: [0] is written, [1] read.
int requestPipe[2] = {-1, -1};

void onSignal(int)
{
    const char request = 1;
    // Nothing else is safe in a signal handler; a full pipe already holds a request.
    [[maybe_unused]] const ssize_t written = ::write(requestPipe[0], &request, 1);
}
#endif

} // namespace

EndRequests::EndRequests(std::function<void()> onRequest, QObject* parent)
    : QObject(parent)
    , onRequest_(std::move(onRequest))
{
#ifdef Q_OS_UNIX
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, requestPipe) != 0)
        return;
    notifier_ = new QSocketNotifier(requestPipe[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char requests[16];
        while (::read(requestPipe[1], requests, sizeof requests) > 0) {
        }
        onRequest_();
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGHUP, SIGINT})
        sigaction(signal, &action, nullptr);
#endif
}

EndRequests::~EndRequests()
{
#ifdef Q_OS_UNIX
    if (!notifier_)
        return;
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGTERM, SIGHUP, SIGINT})
        sigaction(signal, &action, nullptr);
    ::close(requestPipe[0]);
    ::close(requestPipe[1]);
    requestPipe[0] = requestPipe[1] = -1;
#endif
}
