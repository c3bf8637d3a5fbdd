// Showing the current question and judging the answer buttons.

#include "app/TfrmMain.h"

#include "practice/AnswerKey.h"
#include "store/RecordSet.h"
#include "store/StoreError.h"
#include "store/StoredPicture.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>

#include <optional>

void TfrmMain::ShowSubject()
{
    if (!ADOQuerySubjects->isBrowsing())
        return;

    Image1->clear();
    Image1->repaint();

    const QString subject = ADOQuerySubjects->fieldAsString(QStringLiteral("subject"));
    for (QPlainTextEdit* memo : {MmFenLei, mmShunxu, mmZhongDian, mmMoNi})
        memo->setPlainText(subject);

    const int result = ADOQuerySubjects->fieldAsInteger(QStringLiteral("result"));
    const int classNo = ADOQuerySubjects->fieldAsInteger(QStringLiteral("classNo"));

    if (!bTesting) {
        btGo->setEnabled(true);
        lbSubjectsNo->setText(QString::number(ADOQuerySubjects->recNo()));
    }

    // A picture that will not load is reported, but only after the marker,
    // the buttons and the key have been set for this question: otherwise the
    // previous question's would stay on screen under this one's text.
    std::optional<StoreError> pictureError;
    try {
        const QImage picture = StoredPicture::decode(ADOQuerySubjects->fieldAsBytes(QStringLiteral("bmp")));
        if (!picture.isNull())
            Image1->setPixmap(QPixmap::fromImage(picture));
    } catch (const StoreError& error) {
        pictureError = error;
    }

    showQuestionControls(result, classNo, ADOQuerySubjects->fieldAsInteger(QStringLiteral("passOnly")) >= 1);

    if (pictureError)
        throw *pictureError;
}

void TfrmMain::showQuestionControls(int result, int classNo, bool mustAnswer)
{
    lbBiDui->setVisible(mustAnswer);

    edKey->clear();
    lbPass->hide();
    lbError->hide();

    const bool trueFalse = classNo != 0;
    btOk->setVisible(trueFalse);
    btError->setVisible(trueFalse);
    btA->setVisible(!trueFalse);
    btB->setVisible(!trueFalse);
    btC->setVisible(!trueFalse);

    // The key is written whether or not it is visible.
    edKey->setText(answerKeyText(result, classNo));
}

void TfrmMain::btOkClick(QPushButton* sender)
{
    if (!ADOQuerySubjects->isBrowsing() || ADOQuerySubjects->recordCount() < 1)
        return;

    const bool right = ADOQuerySubjects->fieldAsInteger(QStringLiteral("result")) == sender->property("tag").toInt();
    lbPass->setVisible(right);
    lbError->setVisible(!right);

    if (bTesting)
        examAnswered();
}

void TfrmMain::cbShowDAClick()
{
    edKey->setVisible(cbShowDA->isChecked());
}
