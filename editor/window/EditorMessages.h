#pragma once

#include <QString>

class QWidget;

// The editor's message boxes, each captioned as every box of the program.
namespace EditorMessages {

void error(QWidget* parent, const QString& text, const QString& details = {});
void information(QWidget* parent, const QString& text, const QString& details = {});
// A question whose yes is `action` (a button saying what happens); true for it.
bool confirm(QWidget* parent, const QString& text, const QString& action, const QString& details = {});

} // namespace EditorMessages
