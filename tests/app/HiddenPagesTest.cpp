#include "support/FormDriver.h"

#include <QApplication>
#include <QComboBox>
#include <QListView>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextLayout>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

// A bank with a mock exam: 16 must-answer and 101 ordinary questions in two
// categories, and one reference text.
void fillExamBank(TestBank& bank)
{
    bank.addClass(101, QStringLiteral("一"));
    bank.addClass(102, QStringLiteral("二"));
    bank.addSubjects(1, 16, 101, 1);
    bank.addSubjects(101, 101, 102, 0);
    bank.addMaterial(QStringLiteral("资料"), QStringLiteral("说明"));
}

void wheel(QWidget* widget, int delta)
{
    const QPointF at(5, 5);
    QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

struct Gesture
{
    const char* name;
    std::function<void(QWidget* target)> perform;
};

// Every key and wheel movement that moves between tabs, sent to `target`.
QList<Gesture> tabGestures()
{
    const auto key = [](Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        return [k, modifiers](QWidget* target) { QTest::keyClick(target, k, modifiers); };
    };
    return {
        {"Ctrl+Tab", key(Qt::Key_Tab, Qt::ControlModifier)},
        {"Ctrl+Shift+Tab", key(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier)},
        {"Ctrl+PageDown", key(Qt::Key_PageDown, Qt::ControlModifier)},
        {"Ctrl+PageUp", key(Qt::Key_PageUp, Qt::ControlModifier)},
        {"Left", key(Qt::Key_Left)},
        {"Right", key(Qt::Key_Right)},
        {"Up", key(Qt::Key_Up)},
        {"Down", key(Qt::Key_Down)},
        {"Home", key(Qt::Key_Home)},
        {"End", key(Qt::Key_End)},
        {"wheel up", [](QWidget* target) { wheel(target, 120); }},
        {"wheel down", [](QWidget* target) { wheel(target, -120); }},
    };
}

class HiddenPages : public ::testing::Test
{
protected:
    HiddenPages()
    {
        fillExamBank(bank);
        ui.emplace(bank);
    }

    QTabWidget* pages(const char* name) const { return ui->get<QTabWidget>(name); }

    // The practice as it stands: what a start routine would change.
    QString practiceState() const
    {
        return QStringList{ui->text("mmMoNi"), ui->number(), ui->text("edFenShu"),
                           ui->visiblePracticePages().join(QLatin1Char(','))}
            .join(QLatin1Char('|'));
    }

    // Sends every gesture to every place it can come from, and checks after
    // each that no hidden page is current and no start routine ran.
    void walkEveryTab(const char* state)
    {
        const std::pair<const char*, QWidget*> targets[] = {
            {"pcMain's tab bar", pages("pcMain")->tabBar()}, {"pcXunlian's tab bar", pages("pcXunlian")->tabBar()},
            {"btNext", ui->get("btNext")}, {"MmFenLei", ui->get("MmFenLei")}, {"mmMoNi", ui->get("mmMoNi")},
            {"cbClassType", ui->get("cbClassType")}};
        for (const auto& [where, target] : targets) {
            for (const Gesture& gesture : tabGestures()) {
                const QString before = practiceState();
                target->setFocus();
                gesture.perform(target);
                for (const char* control : {"pcMain", "pcXunlian"}) {
                    QTabWidget* tabs = pages(control);
                    EXPECT_TRUE(tabs->isTabVisible(tabs->currentIndex()))
                        << state << ": " << gesture.name << " on " << where << " made "
                        << tabs->currentWidget()->objectName().toStdString() << " current";
                }
                // The category box takes arrow keys and the wheel itself,
                // as the user's choice of another category.
                if (target->objectName() != QLatin1String("cbClassType")) {
                    EXPECT_EQ(practiceState(), before)
                        << state << ": " << gesture.name << " on " << where;
                }
                pages("pcMain")->setCurrentIndex(0);
            }
        }
    }

    TestBank bank;
    std::optional<FormDriver> ui;
};

} // namespace

TEST_F(HiddenPages, noKeyOrWheelReachesAHiddenPageInAnyState)
{
    walkEveryTab("start-up");
    for (int mode = 0; mode < 4; ++mode) {
        ui->clickTreeEntry(mode);
        walkEveryTab(mode == 3 ? "during an exam" : "after a mode");
    }
    for (int i = 0; i < 100; ++i) // skipped to the verdict
        ui->click("btNext");
    ASSERT_TRUE(ui->messages().texts().contains(QStringLiteral("很遗憾的告诉您没有通过，请再次努力!")));
    walkEveryTab("after an exam");
}

TEST_F(HiddenPages, theShownMainTabsAreReachedAndOnlyTheMaterialsPageStarts)
{
    ui->click("btNext");
    QTabWidget* main = pages("pcMain");
    const auto current = [main] { return main->currentWidget()->objectName(); };

    QTest::keyClick(ui->get("btNext"), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(current(), QStringLiteral("tsZiLiao")); // past the hidden maintenance page
    EXPECT_EQ(ui->get<QTableView>("DBGrid3")->model()->rowCount(), 1); // its start routine opened the texts
    QTest::keyClick(main->tabBar(), Qt::Key_Tab, Qt::ControlModifier); // wraps round
    EXPECT_EQ(current(), QStringLiteral("tsEducate"));
    QTest::keyClick(main->tabBar(), Qt::Key_Right);
    EXPECT_EQ(current(), QStringLiteral("tsZiLiao"));
    wheel(main->tabBar(), 120);
    EXPECT_EQ(current(), QStringLiteral("tsEducate"));
    // Coming back ran no practice start routine: the second question stays.
    EXPECT_EQ(ui->number(), QStringLiteral("2"));
}

TEST_F(HiddenPages, theWindowIsNamedFrmMain)
{
    EXPECT_EQ(ui->form().objectName(), QStringLiteral("frmMain"));
}

TEST_F(HiddenPages, pickingTheSelectedCategoryAgainChangesNothing)
{
    auto* box = ui->get<QComboBox>("cbClassType");
    ui->click("btNext");
    ASSERT_EQ(ui->number(), QStringLiteral("2"));

    box->showPopup();
    QAbstractItemView* list = box->view();
    QTest::keyClick(list, Qt::Key_Return); // Enter on the item already selected
    EXPECT_EQ(ui->number(), QStringLiteral("2"));

    box->showPopup();
    const QRect item = list->visualRect(list->model()->index(0, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, item.center());
    EXPECT_EQ(box->currentIndex(), 0);
    EXPECT_EQ(ui->number(), QStringLiteral("2"));

    box->showPopup();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualRect(list->model()->index(1, 0)).center());
    EXPECT_EQ(box->currentIndex(), 1); // another category: it opens at its first question
    EXPECT_EQ(ui->number(), QStringLiteral("1"));
    EXPECT_EQ(ui->question(), QStringLiteral("题目 101"));
}

TEST_F(HiddenPages, theReferenceTextWrapsAtTheBoxsWidth)
{
    bank.exec(QStringLiteral("update ziliao set memo = '%1'").arg(QString(700, QChar(0x4e00))));
    pages("pcMain")->setCurrentIndex(2);
    auto* memo = ui->get<QPlainTextEdit>("DBMemo2");
    QApplication::processEvents();
    ASSERT_EQ(memo->toPlainText().size(), 700);
    EXPECT_GT(memo->document()->firstBlock().layout()->lineCount(), 1); // wrapped into lines
    EXPECT_EQ(memo->horizontalScrollBar()->maximum(), 0);              // nothing to scroll sideways
    EXPECT_EQ(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}
