#include "support/MessageBoxWatcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QTimer>

MessageBoxWatcher::MessageBoxWatcher()
{
    qApp->installEventFilter(this);
}

MessageBoxWatcher::~MessageBoxWatcher()
{
    qApp->removeEventFilter(this);
}

QStringList MessageBoxWatcher::texts() const
{
    QStringList texts;
    for (const Box& box : boxes_)
        texts << box.text;
    return texts;
}

bool MessageBoxWatcher::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show) {
        if (auto* box = qobject_cast<QMessageBox*>(watched)) {
            boxes_.append({box->windowTitle(), box->text(), box->icon(), box->standardButtons()});
            // Clicked from the box's own event loop, once it is running.
            const QMessageBox::StandardButton answer = answer_;
            QTimer::singleShot(0, box, [box, answer] {
                if (QAbstractButton* button = box->button(answer))
                    button->click();
                else
                    box->done(QMessageBox::Ok);
            });
        }
    }
    return QObject::eventFilter(watched, event);
}
