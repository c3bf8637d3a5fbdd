// The mock exam: the draw, loading questions in exam order, scoring and the
// verdict.

#include "app/Messages.h"
#include "app/TfrmMain.h"

#include "exam/ExamDraw.h"
#include "exam/ExamRules.h"
#include "exam/ExamVerdict.h"
#include "store/RecordSet.h"
#include "store/Statements.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <stdexcept>

void TfrmMain::tsMoNiShow()
{
    cbShowDA->setChecked(false); // hides the key through its handler
    bTesting = true;
    iScore = 0;
    ADOQuerySubjects->close();
    edFenShu->clear();
    slExamNo.clear();
    examRandom_.seedFromClock();

    // The phases draw from disjoint sets of questions, so no number repeats.
    drawExamNumbers(Statements::mustAnswerNumbers(), ExamRules::mustAnswerMinimum, ExamRules::mustAnswerDraws);
    drawExamNumbers(Statements::ordinaryNumbers(), ExamRules::ordinaryMinimum, ExamRules::examSize);
    ADOQueryTemp->close();

    NextExamSubject(true);
}

void TfrmMain::drawExamNumbers(const QString& sql, int minimum, int until)
{
    ADOQueryTemp->close();
    ADOQueryTemp->setSql(sql);
    ADOQueryTemp->open();
    const int population = ADOQueryTemp->recordCount();
    if (population <= minimum)
        return;
    for (const int position : drawDistinctPositions(population, until - int(slExamNo.size()), examRandom_)) {
        ADOQueryTemp->setRecNo(position + 1);
        slExamNo.append(ADOQueryTemp->fieldAsString(QStringLiteral("no")));
    }
}

void TfrmMain::NextExamSubject(bool first)
{
    QString number;
    if (first) {
        if (slExamNo.isEmpty())
            throw std::out_of_range("List index out of bounds (0)");
        number = slExamNo.first();
        lbSubjectsNo->setText(QStringLiteral("1"));
    } else {
        qsizetype i = slExamNo.indexOf(ADOQuerySubjects->fieldAsString(QStringLiteral("no")));
        if (i < 0)
            i = slExamNo.size();
        if (i < slExamNo.size() - 1) {
            number = slExamNo.at(i + 1);
            btGo->setEnabled(false);
            lbSubjectsNo->setText(QString::number(i + 2));
        } else {
            Messages::showMessage(examVerdict(edFenShu->text()));
        }
    }

    // An exam of any other size loads nothing. After the verdict the empty
    // number matches no question, which empties the display.
    if (slExamNo.size() != ExamRules::examSize)
        return;
    openSubjects(Statements::subjectByNumber(), QStringLiteral("Num"), number);
}

void TfrmMain::examAnswered()
{
    if (!lbPass->isHidden()) {
        ++iScore;
        edFenShu->setText(QString::number(iScore));
        btNextClick();
        return;
    }

    Messages::showMessage(QStringLiteral("正确答案是:") + edKey->text());
    if (lbBiDui->isHidden()) {
        btNextClick();
        return;
    }
    Messages::showMessage(QStringLiteral("必答题错误，你已经没有机会了!"));
    // Showing the page again runs its start routine: a new exam in place.
    hidePracticePage(tsMoNi);
    showPracticePage(tsMoNi);
}
