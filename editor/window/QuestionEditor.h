#pragma once

#include "editor/document/BankDocument.h"
#include "editor/document/QuestionForm.h"

#include <QWidget>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// One question's fields: its text (with options A to C as three fields
// when the stored text has the bank's option layout, else the whole text),
// type, key as buttons, must-answer, category, and its picture with the
// buttons that change it. It edits nothing itself: each change is reported
// with the question's new values and the field that changed.
class QuestionEditor : public QWidget
{
    Q_OBJECT

public:
    explicit QuestionEditor(QWidget* parent = nullptr);

    // Shows `question` (position `position`); categories for the choice.
    void showQuestion(int position, const BankQuestion& question, const QList<BankCategory>& categories,
                      const QImage& picture, bool hasPicture);
    void showNothing();
    int position() const { return position_; }

signals:
    void edited(int position, const BankQuestion& question, BankDocument::Field field);
    void openPictureRequested();
    void pastePictureRequested();
    void removePictureRequested();

private:
    void textEdited();
    void typeChosen();
    void keyChosen(int code);
    void report(BankDocument::Field field);
    void showKeyButtons();

    int position_ = -1;
    BankQuestion question_;
    QuestionForm form_;
    bool loading_ = false;

    QLabel* number_;
    QComboBox* category_;
    QRadioButton* single_;
    QRadioButton* judge_;
    QPlainTextEdit* text_;
    QList<QLineEdit*> options_;
    QLabel* wholeTextNote_;
    QButtonGroup* keys_;
    QList<QPushButton*> keyButtons_;
    QCheckBox* mustAnswer_;
    QLabel* picture_;
    QPushButton* removePicture_;
};
