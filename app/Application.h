#pragma once

#include <QApplication>

// The application object: sets the application title and the window font.
// Its notify() is a last safety net: every handler of the window already
// catches its own errors, but an error that escapes one is shown here rather
// than ending the program.
class Application : public QApplication
{
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};
