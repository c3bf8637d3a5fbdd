#include "WindowExercise.h"

#include "support/FormDriver.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>

namespace {

// Practice and exam both use a bounded number of steps, so that a bank that
// sends navigation round in circles cannot hold up the test.
constexpr int examSteps = 110;
constexpr int categoriesTried = 6;

void navigate(FormDriver& ui)
{
    for (int i = 0; i < 3; ++i)
        ui.click("btNext");
    ui.answerRight();
    ui.answerWrong();
    ui.click("btPrior");
    for (const char* number : {"    2", "99999", "    0"}) {
        ui.typeGoTo(QString::fromLatin1(number));
        ui.click("btGo");
    }
    ui.get<QCheckBox>("cbShowDA")->click();
    ui.get<QCheckBox>("cbShowDA")->click();
}

void practiseEveryMode(FormDriver& ui)
{
    for (int entry = 0; entry < 3; ++entry) {
        ui.clickTreeEntry(entry);
        navigate(ui);
    }
}

void tryEveryCategory(FormDriver& ui)
{
    ui.clickTreeEntry(0);
    auto* box = ui.get<QComboBox>("cbClassType");
    for (int i = 0; i < std::min(box->count(), categoriesTried); ++i) {
        box->setCurrentIndex(i);
        emit box->activated(i);
        navigate(ui);
    }
}

void takeMockExam(FormDriver& ui)
{
    ui.clickTreeEntry(3);
    for (int step = 0; step < examSteps; ++step) {
        if (step % 11 == 5)
            ui.answerWrong();
        else
            ui.answerRight();
        if (step % 13 == 0) {
            ui.click("btPrior");
            ui.click("btGo");
            ui.click("btNext");
        }
    }
}

QAbstractButton* navigatorButton(FormDriver& ui, const char* which)
{
    return ui.form().findChild<QAbstractButton*>(QStringLiteral("DBNavigator3") + QLatin1String(which));
}

void showMaterialsPage(FormDriver& ui)
{
    ui.get<QTabWidget>("pcMain")->setCurrentWidget(ui.get("tsZiLiao"));
}

void browseMaterials(FormDriver& ui)
{
    showMaterialsPage(ui);
    for (const char* which : {"First", "Next", "Next", "Last", "Prior", "Refresh", "First"}) {
        if (QAbstractButton* button = navigatorButton(ui, which); button && button->isEnabled())
            button->click();
    }
    ui.get<QTabWidget>("pcMain")->setCurrentWidget(ui.get("tsEducate"));
}

} // namespace

void useEveryPartOfTheWindow(FormDriver& ui)
{
    practiseEveryMode(ui);
    tryEveryCategory(ui);
    takeMockExam(ui);
    browseMaterials(ui);
}

bool postReferenceText(FormDriver& ui)
{
    showMaterialsPage(ui);
    auto* memo = ui.form().findChild<QPlainTextEdit*>(QStringLiteral("DBMemo2"));
    QAbstractButton* post = navigatorButton(ui, "Post");
    if (!memo || !post)
        return false;
    QTest::keyClicks(memo, QStringLiteral("note"));
    post->click();
    return true;
}
