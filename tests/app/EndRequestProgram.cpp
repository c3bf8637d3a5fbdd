// The program as it runs, asked to end from outside while a reference text
// is being edited:
//   end_request_program <bank folder> save|unsaveable
// It types into the materials page, makes the change unsaveable when asked
// (another program deletes the entry), and sends itself SIGTERM; on Windows
// its window gets what Windows sends when the session ends (the windows
// platform plugin is needed there). Message boxes are answered "back to the
// text" and printed. It exits 0 when the request ended it, 3 when it was
// still open a second after its box (or 30 s after the start without one).

#include "app/Application.h"
#include "app/TfrmMain.h"
#include "store/Database.h"

#include "support/MessageBoxWatcher.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <cstdio>

#ifdef Q_OS_WIN
#include <windows.h>

namespace {

// What Windows does at a logoff: it asks every top-level window whether the
// session may end, and tells them that it ends only when none said no.
void endSession(QWidget& window)
{
    const HWND handle = HWND(window.winId());
    if (SendMessageW(handle, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF) != 0)
        SendMessageW(handle, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    else
        SendMessageW(handle, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
}

} // namespace
#endif

int main(int argc, char** argv)
{
    Application application(argc, argv);
    // The arguments as the system passed them (in UTF-16 on Windows), so
    // that a folder with a Chinese name is found on any code page.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3)
        return 2;
    QDir::setCurrent(arguments[1]);
    const bool unsaveable = arguments[2] == QStringLiteral("unsaveable");

    MessageBoxWatcher messages;
    messages.answerWith(QMessageBox::Cancel);
    TfrmMain window;
    application.endWith(window);
    window.show();

    auto* pages = window.findChild<QTabWidget*>(QStringLiteral("pcMain"));
    pages->setCurrentWidget(window.findChild<QWidget*>(QStringLiteral("tsZiLiao")));
    auto* memo = window.findChild<QPlainTextEdit*>(QStringLiteral("DBMemo2"));
    QTest::sendKeyEvent(QTest::Click, memo, Qt::Key_unknown, QStringLiteral("改"), Qt::NoModifier);
    if (unsaveable)
        Database(QStringLiteral("velmora.db")).execute(QStringLiteral("delete from ziliao"));

#ifdef Q_OS_WIN
    QTimer::singleShot(0, [&window] { endSession(window); });
#else
    QTimer::singleShot(0, [] { std::raise(SIGTERM); });
#endif
    // Still open a second after the request was answered with a box (or,
    // when none comes, after 30 s): counted from the box, not from the
    // start, so that a slow machine handling the request late is not taken
    // for a program that kept running.
    const auto stillOpen = [] {
        std::puts("open");
        QCoreApplication::exit(3);
    };
    QTimer waitForBox;
    QObject::connect(&waitForBox, &QTimer::timeout, [&] {
        if (messages.boxes().isEmpty())
            return;
        waitForBox.stop();
        QTimer::singleShot(1000, stillOpen);
    });
    waitForBox.start(20);
    QTimer::singleShot(30000, stillOpen);
    const int code = application.exec();
    for (const QString& text : messages.texts())
        std::puts(text.toUtf8().constData());
    return code;
}
