#pragma once

#include "materials/EditedText.h"

#include <QObject>

class QPlainTextEdit;
class RecordSetModel;

// Binds a text box to one column of the model's current row, as a data-bound
// memo: it shows the current record's value, and each keystroke puts the
// text into the record (starting an edit, or an insert on an empty set).
// What goes into the record is the stored text with the user's edit applied
// (EditedText): characters the user did not touch keep their stored form,
// and a text only viewed is never put into the record.
class MemoLink : public QObject
{
public:
    MemoLink(RecordSetModel& model, int column, QPlainTextEdit& edit, QObject* parent = nullptr);

private:
    void showCurrent();
    void storeTyped();

    RecordSetModel& model_;
    int column_;
    QPlainTextEdit& edit_;
    EditedText text_;       // the current record's text and the text box's form of it
    bool showing_ = false; // the text box is being filled by the program
};
