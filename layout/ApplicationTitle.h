#pragma once

#include <QString>

// The trainer's application title: the name it gives itself on the task bar
// and the caption of every message box it shows. A program that shows a
// message as the trainer would (the bank editor's preview of a question)
// takes it from here.
inline QString applicationTitle()
{
    return QStringLiteral("Lumeross_2007");
}
