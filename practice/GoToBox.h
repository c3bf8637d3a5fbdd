#pragma once

#include <QLineEdit>

// The go-to box: five positions, each an optional digit, blanks shown as "_".
// Digits stay in the positions where they were typed, and the value set by
// the program stands right-aligned.
class GoToBox : public QLineEdit
{
public:
    explicit GoToBox(QWidget* parent = nullptr);

    // Shows `value` right-aligned in the five positions.
    void setValue(int value);

    // The text as the program reads it: every blank position a space.
    QString maskedText() const;
};

// The question number the go-to text asks for: the text without leading and
// trailing blanks, as an integer. No digits, or digits with a blank between
// them, raise "'<text>' is not a valid integer value".
int goToNumber(const QString& maskedText);
