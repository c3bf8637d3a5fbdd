#pragma once

#include <QObject>

class QPlainTextEdit;
class RecordSetModel;

// Binds a text box to one column of the model's current row, as a data-bound
// memo: it shows the current record's value, and each keystroke puts the
// text into the record (starting an edit, or an insert on an empty set).
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
    bool showing_ = false; // the text box is being filled by the program
};
