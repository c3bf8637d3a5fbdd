#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

// Requests from outside to end the program: SIGTERM (a logout, a shutdown, a
// kill), SIGHUP (the terminal went away) and SIGINT (Ctrl+C). Each is handed
// to the event loop and answered there by `onRequest`, as if the user had
// asked to end: a pending change is saved first, and the program stays open
// when it cannot be saved. Only the signal handler itself runs outside the
// event loop, and it only writes one byte to a pipe.
class EndRequests : public QObject
{
public:
    EndRequests(std::function<void()> onRequest, QObject* parent = nullptr);
    ~EndRequests() override;

private:
    std::function<void()> onRequest_;
    QSocketNotifier* notifier_ = nullptr;
};
