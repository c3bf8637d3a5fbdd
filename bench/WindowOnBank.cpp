#include "bench/WindowOnBank.h"

#include "bench/PlainScan.h"
#include "bench/SyntheticBank.h"

#include "store/Database.h"

#include "practice/GoToBox.h"
#include "practice/ModeTree.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <stdexcept>

namespace {

std::unique_ptr<WindowOnBank>& kept()
{
    static std::unique_ptr<WindowOnBank> window;
    return window;
}

} // namespace

namespace {

void warmFirstCategory(const BenchBank& bank)
{
    const Database db(bank.file());
    PlainScan::run(db.handle(), "select bmp from Subjects where fatherNo = ?1", {syntheticCategoryNumber(0)});
}

} // namespace

WindowOnBank::WindowOnBank(const BenchBank& bank)
    : folder_(bank.folder)
    , workingDirectory_(bank.folder)
    , form_(std::make_unique<TfrmMain>())
{
    if (!form_->isDatabaseOpen())
        throw std::runtime_error("the bank in " + bank.folder.toStdString() + " does not open");
    form_->show();
    QTest::qWait(0);
}

WindowOnBank::~WindowOnBank() = default;

WindowOnBank& WindowOnBank::on(const BenchBank& bank)
{
    std::unique_ptr<WindowOnBank>& window = kept();
    if (!window || window->folder() != bank.folder) {
        window.reset(); // the old window's working directory is restored first
        warmFirstCategory(bank);
        window = std::make_unique<WindowOnBank>(bank);
    }
    return *window;
}

void WindowOnBank::closeKept()
{
    kept().reset();
}

template <typename Widget>
Widget* WindowOnBank::get(const char* name) const
{
    auto* widget = form_->findChild<Widget*>(QLatin1String(name));
    if (!widget)
        throw std::runtime_error(std::string("no control named ") + name);
    return widget;
}

void WindowOnBank::click(const char* name)
{
    get<QPushButton>(name)->click();
}

void WindowOnBank::clickAnAnswer()
{
    click(get("btA")->isHidden() ? "btOk" : "btA");
}

void WindowOnBank::clickTreeEntry(int row)
{
    auto* tree = get<ModeTree>("TreeView");
    const QRect rect = tree->visualItemRect(tree->topLevelItem(row));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
}

void WindowOnBank::restartExam()
{
    auto* pages = get<QTabWidget>("pcXunlian");
    QWidget* exam = get("tsMoNi");
    pages->setTabVisible(pages->indexOf(exam), false);
    pages->setTabVisible(pages->indexOf(exam), true);
    pages->setCurrentWidget(exam);
}

void WindowOnBank::typeGoTo(int number)
{
    get<GoToBox>("mEdGo")->setValue(number);
}

void WindowOnBank::goTo(int number)
{
    typeGoTo(number);
    click("btGo");
}

int WindowOnBank::shownNumber() const
{
    return get<QLabel>("lbSubjectsNo")->text().toInt();
}

void WindowOnBank::changeCategory()
{
    auto* box = get<QComboBox>("cbClassType");
    QTest::keyClick(box, box->currentIndex() + 1 < box->count() ? Qt::Key_Down : Qt::Key_Up);
}
