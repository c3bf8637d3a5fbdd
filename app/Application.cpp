#include "app/Application.h"

#include "app/EndRequests.h"
#include "app/ErrorReporting.h"
#include "app/Messages.h"
#include "app/TfrmMain.h"
#include "layout/FormLayout.h"
#include "layout/SongFont.h"
#include "store/StoreMessages.h"

#include <QIcon>
#include <QSessionManager>

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv)
{
    setApplicationName(Messages::caption());
    // Lets the desktop match the window to the installed desktop entry.
    setDesktopFileName(QStringLiteral("org.quenhar.quenhar"));
    setWindowIcon(QIcon(QStringLiteral(":/org.quenhar.quenhar.ico"))); // every size, built in by packaging/
    setFont(songFont(FormLayout::formFontSize));
    if (StoreMessages::loadChinese(storeMessages_))
        installTranslator(&storeMessages_);
}

void Application::endWith(TfrmMain& window)
{
    new EndRequests([&window] { window.endAsRequested(); }, this);
    connect(this, &QGuiApplication::commitDataRequest, &window, [&window](QSessionManager& manager) {
        if (!window.mayEnd())
            manager.cancel();
    });
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    bool handled = false;
    guarded([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
