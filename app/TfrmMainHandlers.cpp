// The window's handlers: showing a question, judging the answer buttons, the
// practice modes, the category box, navigation, the mode tree, the mock exam
// and the materials page. Each reads the controls, calls a unit and shows
// what the unit gives; the logic lives in the units.

#include "app/Announcements.h"
#include "app/Messages.h"
#include "app/PageControl.h"
#include "app/TfrmMain.h"

#include "materials/ZiLiaoPage.h"
#include "practice/AnswerKey.h"
#include "practice/CategoryList.h"
#include "practice/GoToBox.h"
#include "practice/ModeTree.h"
#include "practice/QuestionSet.h"
#include "rules/StoredPicture.h"
#include "store/RecordSet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>

#include <exception>

void TfrmMain::ShowSubject()
{
    if (!questions_->isBrowsing())
        return;

    Image1->clear();
    Image1->repaint();

    const QString subject = questions_->text();
    for (QPlainTextEdit* memo : {MmFenLei, mmShunxu, mmZhongDian, mmMoNi})
        memo->setPlainText(subject);

    const int result = questions_->answerCode();
    const int classNo = questions_->type();

    if (!exam_.isRunning()) {
        btGo->setEnabled(true);
        lbSubjectsNo->setText(QString::number(questions_->position()));
    }

    // A picture that cannot be shown (its bytes do not decode, or they cannot
    // even be read: no picture column, a value the bank will not hand out) is
    // reported, but only after the marker, the buttons and the key have been
    // set for this question: otherwise the previous question's would stay on
    // screen under this one's text. The picture area stays blank.
    std::exception_ptr pictureError;
    try {
        const QImage picture = StoredPicture::decode(questions_->picture());
        if (!picture.isNull())
            Image1->setPixmap(QPixmap::fromImage(picture));
    } catch (...) {
        pictureError = std::current_exception();
    }

    showQuestionControls(result, classNo, questions_->isMustAnswer());

    if (pictureError)
        std::rethrow_exception(pictureError);
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

    announceQuestion(trueFalse, mustAnswer);
}

void TfrmMain::announceQuestion(bool trueFalse, bool mustAnswer)
{
    // What the screen shows around the text, said with it: the number, the
    // kind of question, the marker and whether a picture goes with it.
    QStringList about{QStringLiteral("第%1题").arg(lbSubjectsNo->text()),
                      trueFalse ? QStringLiteral("判断题") : QStringLiteral("单选题")};
    if (mustAnswer)
        about << lbBiDui->text();
    const bool hasPicture = !Image1->pixmap().isNull();
    about << (hasPicture ? QStringLiteral("有图片") : QStringLiteral("无图片"));
    for (QPlainTextEdit* memo : {MmFenLei, mmShunxu, mmZhongDian, mmMoNi})
        memo->setAccessibleDescription(about.join(QStringLiteral("，")));
    Image1->setAccessibleDescription(hasPicture ? QString() : QStringLiteral("本题没有图片"));
    Announcements::announce(pcXunlian->currentWidget()->findChild<QPlainTextEdit*>());
}

void TfrmMain::btOkClick(QPushButton* sender)
{
    if (!questions_->hasQuestion())
        return;

    const bool right = questions_->isRight(sender->property("tag").toInt());
    lbPass->setVisible(right);
    lbError->setVisible(!right);
    Announcements::announce(right ? lbPass : lbError);

    if (exam_.isRunning())
        examAnswered(right);
}

void TfrmMain::cbShowDAClick()
{
    edKey->setVisible(cbShowDA->isChecked());
}

void TfrmMain::tsFenLeiShow()
{
    LoadClassType();
    cbClassTypeChange();
}

void TfrmMain::LoadClassType()
{
    const CategoryList list = CategoryList::read(*ADOQueryTemp);
    cbClassType->clear();
    for (const CategoryList::Category& category : list.categories)
        cbClassType->addItem(category.title, category.number);
    if (list.stoppedBy) {
        // The categories listed before the one that stopped the list stay,
        // with none selected.
        cbClassType->setCurrentIndex(-1);
        classIndexShown_ = -1;
        std::rethrow_exception(list.stoppedBy);
    }
    if (cbClassType->count() > 0)
        cbClassType->setCurrentIndex(0);
    classIndexShown_ = cbClassType->currentIndex();
}

void TfrmMain::cbClassTypeChange()
{
    if (cbClassType->currentIndex() < 0)
        return;
    OpenClassSubjects(QString::number(cbClassType->currentData().toInt()));
}

void TfrmMain::OpenClassSubjects(const QString& fatherNo)
{
    questions_->openCategory(fatherNo);
    ShowSubject();
}

void TfrmMain::tsSunxuShow()
{
    questions_->openAll();
    ShowSubject();
}

void TfrmMain::tsZhongdianShow()
{
    questions_->openMustAnswer();
    ShowSubject();
}

void TfrmMain::btPriorClick()
{
    if (exam_.isRunning()) {
        Messages::showMessage(QStringLiteral("测试中，不能后退!"));
        return;
    }
    if (questions_->prior())
        ShowSubject();
}

void TfrmMain::btNextClick()
{
    if (!questions_->isBrowsing())
        return;
    if (exam_.isRunning()) {
        NextExamSubject(false);
        return;
    }
    if (questions_->next())
        ShowSubject();
}

void TfrmMain::btGoClick()
{
    if (exam_.isRunning()) {
        Messages::showMessage(QStringLiteral("测试中，不能跳过!"));
        return;
    }
    if (questions_->goTo(goToNumber(mEdGo->maskedText())))
        ShowSubject();
}

void TfrmMain::TreeViewClick()
{
    QTreeWidgetItem* entry = TreeView->selectedEntry();
    if (!entry)
        return;

    exam_.stop();
    QWidget* const pages[] = {tsFenLei, tsSunxu, tsZhongdian, tsMoNi};
    for (QWidget* page : pages)
        hidePracticePage(page);

    for (QWidget* page : pages) {
        if (page->property("tag").toInt() != ModeTree::modeCode(entry))
            continue;
        if (page == tsMoNi)
            Messages::showMessage(QStringLiteral("模拟考试开始!"));
        // Showing the page runs its start routine.
        showPracticePage(page);
        return;
    }
}

void TfrmMain::tsMoNiShow()
{
    cbShowDA->setChecked(false); // hides the key through its handler
    exam_.start();
    questions_->close();
    edFenShu->clear();
    exam_.draw(*ADOQueryTemp);
    NextExamSubject(true);
}

void TfrmMain::NextExamSubject(bool first)
{
    QString number;
    if (first) {
        number = exam_.firstNumber();
        lbSubjectsNo->setText(QStringLiteral("1"));
    } else {
        // The verdict reads the score box, on purpose: the score that counts
        // is the one the learner sees, and an empty box counts as 0.
        const MockExam::Step step = exam_.stepAfter(questions_->number(), edFenShu->text());
        if (step.verdict) {
            Messages::showMessage(*step.verdict);
        } else {
            number = step.number;
            btGo->setEnabled(false);
            lbSubjectsNo->setText(QString::number(step.position));
        }
    }

    // An exam of any other size loads nothing. After the verdict the empty
    // number matches no question, which empties the display.
    if (!exam_.loadsQuestions())
        return;
    questions_->openNumber(number);
    ShowSubject();
}

void TfrmMain::examAnswered(bool right)
{
    switch (exam_.answer(right, questions_->isMustAnswer())) {
    case MockExam::AfterAnswer::NextQuestion:
        edFenShu->setText(QString::number(exam_.score()));
        btNextClick();
        return;
    case MockExam::AfterAnswer::ShowKeyThenNext:
        Messages::showMessage(QStringLiteral("正确答案是:") + edKey->text());
        btNextClick();
        return;
    case MockExam::AfterAnswer::ShowKeyThenRestart:
        Messages::showMessage(QStringLiteral("正确答案是:") + edKey->text());
        Messages::showMessage(QStringLiteral("必答题错误，你已经没有机会了!"));
        // Showing the page again runs its start routine: a new exam in place.
        hidePracticePage(tsMoNi);
        showPracticePage(tsMoNi);
        return;
    }
}

void TfrmMain::showPracticePage(QWidget* page)
{
    pcXunlian->setTabVisible(pcXunlian->indexOf(page), true);
    pcXunlian->setCurrentWidget(page);
}

void TfrmMain::hidePracticePage(QWidget* page)
{
    pcXunlian->setTabVisible(pcXunlian->indexOf(page), false);
}

void TfrmMain::tsZiLiaoShow()
{
    ziLiaoPage_->showPage();
}
