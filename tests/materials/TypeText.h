#pragma once

#include <QString>
#include <QTest>
#include <QWidget>

// Key presses carrying each character, as typing (also Chinese) delivers
// them to a widget; QTest's own typing knows only ASCII.
inline void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}
