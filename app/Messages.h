#pragma once

#include "layout/ApplicationTitle.h"

#include <QString>

// The program's message boxes. Each is modal, centred on the screen and
// captioned with the application title, except the delete confirmation,
// which is captioned "Confirm".
namespace Messages {

inline QString caption() { return applicationTitle(); }

// A message of the program's own: the text and one OK button, no icon.
void showMessage(const QString& text);

// An error that ended a handler: stop icon, one OK button. A full stop is
// added when the text's last character sorts after ".".
void showError(const QString& text);

// The error text as shown, with the full-stop rule applied.
QString errorText(const QString& text);

// "Delete record?" with a question icon, OK and Cancel; true for OK.
bool confirmDelete();

// Another program changed the reference text the user is saving: true to
// keep the user's text (written over the other), false to take the other.
bool keepMineOnConflict();

// A change on the materials page could not be saved as the window ends, for
// `reason`: true to drop it and end, false to go back to it.
bool dropUnsavedChangeAndEnd(const QString& reason);

} // namespace Messages
