#include "app/Application.h"

#include "app/ErrorReporting.h"
#include "app/FormLayout.h"
#include "app/Messages.h"
#include "app/SongFont.h"

#include <QIcon>

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv)
{
    setApplicationName(Messages::caption());
    // Lets the desktop match the window to the installed desktop entry.
    setDesktopFileName(QStringLiteral("org.quenhar.quenhar"));
    setWindowIcon(QIcon(QStringLiteral(":/org.quenhar.quenhar.ico"))); // every size, built in by packaging/
    setFont(songFont(FormLayout::formFontSize));
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    bool handled = false;
    guarded([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
