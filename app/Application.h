#pragma once

#include <QApplication>
#include <QTranslator>

class TfrmMain;

// The application object: sets the application title and the window font,
// and shows the question bank's messages in Chinese, as the whole window is.
// Its notify() is a last safety net: every handler of the window already
// catches its own errors, but an error that escapes one is shown here rather
// than ending the program.
class Application : public QApplication
{
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Ends with `window` when the session ends or a signal asks the program
    // to end: as "结束" does, saving a pending change first, and staying
    // open (cancelling the logout where the session allows) when it cannot
    // be saved.
    void endWith(TfrmMain& window);

private:
    QTranslator storeMessages_;
};
