#pragma once

class FormDriver;

// Uses every part of the window the way a learner would, without looking at
// what it shows: the three practice modes (moving, going to a number,
// answering), every category of the category box, a whole mock exam, and
// the materials page with its navigator. Whatever goes wrong must end up in
// a message box, which the driver's watcher records.
void useEveryPartOfTheWindow(FormDriver& ui);

// Types a reference text on the materials page and posts it. False when the
// page or its navigator is not there.
bool postReferenceText(FormDriver& ui);
