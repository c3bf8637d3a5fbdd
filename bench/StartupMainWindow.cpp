// quenhar-bench-startup: the program's start-up, timed as a whole process by
// the benchmarks. Starts as the program does, shows the main window (which
// opens the bank in the working directory, fills the category list and shows
// the first question), lets the window paint once, and ends.

#include "app/Application.h"
#include "app/TfrmMain.h"

#include <QPlainTextEdit>
#include <QTimer>

int main(int argc, char** argv)
{
    Application application(argc, argv);
    TfrmMain frmMain;
    if (!frmMain.isDatabaseOpen())
        return 1;
    frmMain.show();
    // No question on show means the start-up did not do its work.
    const auto* question = frmMain.findChild<QPlainTextEdit*>(QStringLiteral("MmFenLei"));
    if (!question || question->toPlainText().isEmpty())
        return 3;
    // Queued after the window's first paint request.
    QTimer::singleShot(0, &application, &QCoreApplication::quit);
    return application.exec();
}
