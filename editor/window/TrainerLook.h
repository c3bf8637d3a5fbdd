#pragma once

#include <QFont>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

// How the trainer draws a question, for the editor's preview: the one place
// the editor reaches the trainer's pixel sizes and font (layout/FormLayout.h,
// layout/SongFont.h), so that the preview follows them when they change and no
// number is copied.
namespace TrainerLook {

// The practice text box: its width and height inside the practice pages,
// and its font.
QSize textBox();
QFont textFont();

// The strip of answer buttons: its size, and each button of a question type
// with its caption and place.
struct Button
{
    QString caption;
    QRect rect;
};
QSize controlStrip();
QList<Button> answerButtons(bool singleChoice);
QFont answerButtonFont();
QRect mustAnswerMark();
QFont mustAnswerFont();

// The picture area below the practice pages, with the window at its size.
QSize pictureArea();

// The caption of every message box.
QString messageCaption();

} // namespace TrainerLook
