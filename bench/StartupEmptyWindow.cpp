// quenhar-bench-empty-window: the baseline of start-up, timed as a whole
// process: a Qt program that shows an empty top-level window, lets it paint
// once, and ends.

#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.show();
    QTimer::singleShot(0, &application, &QCoreApplication::quit);
    return application.exec();
}
