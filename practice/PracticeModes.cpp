// The three practice modes, the category box and navigation outside an exam.

#include "app/Messages.h"
#include "app/TfrmMain.h"

#include "practice/GoToBox.h"
#include "store/IntegerText.h"
#include "store/RecordSet.h"
#include "store/Statements.h"
#include "store/StoreError.h"

#include <QComboBox>

#include <algorithm>

void TfrmMain::tsFenLeiShow()
{
    LoadClassType();
    cbClassTypeChange();
}

void TfrmMain::LoadClassType()
{
    ADOQueryTemp->close();
    ADOQueryTemp->setSql(Statements::classList());
    ADOQueryTemp->open();

    cbClassType->clear();
    try {
        for (; !ADOQueryTemp->eof(); ADOQueryTemp->next()) {
            // Numbers like 100 or 200 head a chapter and are never offered.
            const QString number = ADOQueryTemp->fieldAsString(QStringLiteral("no"));
            if (number.mid(1, 2) == QLatin1String("00"))
                continue;
            cbClassType->addItem(ADOQueryTemp->fieldAsString(QStringLiteral("remark")), integerFromText(number));
        }
    } catch (const StoreError&) {
        // The categories listed so far stay, with none selected.
        cbClassType->setCurrentIndex(-1);
        throw;
    }
    if (cbClassType->count() > 0)
        cbClassType->setCurrentIndex(0);
}

void TfrmMain::cbClassTypeChange()
{
    if (cbClassType->currentIndex() < 0)
        return;
    OpenClassSubjects(QString::number(cbClassType->currentData().toInt()));
}

void TfrmMain::OpenClassSubjects(const QString& fatherNo)
{
    openSubjects(Statements::subjectsOfClass(), QStringLiteral("fatherNo"), fatherNo);
}

void TfrmMain::tsSunxuShow()
{
    openSubjects(Statements::allSubjects());
}

void TfrmMain::tsZhongdianShow()
{
    openSubjects(Statements::mustAnswerSubjects());
}

void TfrmMain::openSubjects(const QString& sql, const QString& parameter, const QString& value)
{
    ADOQuerySubjects->setSql(sql); // closes the set
    if (!parameter.isEmpty())
        ADOQuerySubjects->setParameter(parameter, value);
    ADOQuerySubjects->open();
    ShowSubject();
}

void TfrmMain::btPriorClick()
{
    if (bTesting) {
        Messages::showMessage(QStringLiteral("测试中，不能后退!"));
        return;
    }
    if (ADOQuerySubjects->isBrowsing() && !ADOQuerySubjects->bof()) {
        ADOQuerySubjects->prior();
        ShowSubject();
    }
}

void TfrmMain::btNextClick()
{
    if (!ADOQuerySubjects->isBrowsing())
        return;
    if (bTesting) {
        NextExamSubject(false);
        return;
    }
    if (!ADOQuerySubjects->eof()) {
        ADOQuerySubjects->next();
        ShowSubject();
    }
}

void TfrmMain::btGoClick()
{
    if (bTesting) {
        Messages::showMessage(QStringLiteral("测试中，不能跳过!"));
        return;
    }
    const int number = goToNumber(mEdGo->maskedText());
    if (ADOQuerySubjects->isBrowsing() && ADOQuerySubjects->recordCount() >= 1) {
        ADOQuerySubjects->setRecNo(std::min(number, ADOQuerySubjects->recordCount()));
        ShowSubject();
    }
}
