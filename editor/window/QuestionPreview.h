#pragma once

#include "tools/content/BankContent.h"

#include <QImage>
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// A question as the trainer draws it: the answer buttons of its type in
// their places, the practice text box at its width and height in the
// trainer's font, and the picture area at its size, with what falls
// outside it cut off as the trainer cuts it. Below, a line says when the
// text or the picture does not fit.
class QuestionPreview : public QWidget
{
    Q_OBJECT

public:
    explicit QuestionPreview(QWidget* parent = nullptr);

    void showQuestion(const BankQuestion& question, const QImage& picture);
    void showNothing();

    // Whether `text` fits the practice text box without scrolling.
    static bool fitsTextBox(const QString& text);

private:
    QWidget* strip_;
    QList<QPushButton*> buttons_;
    QLabel* mustAnswer_;
    QPlainTextEdit* text_;
    QLabel* picture_;
    QLabel* notes_;
    bool textFits_ = true;
    bool pictureFits_ = true;
};
