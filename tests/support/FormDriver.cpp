#include "support/FormDriver.h"

#include "practice/GoToBox.h"
#include "practice/ModeTree.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>

FormDriver::FormDriver(const TestBank& bank, std::optional<unsigned> examSeed)
    : workingDirectory_(bank.dir())
    , form_(std::make_unique<TfrmMain>())
{
    form_->setExamRandom(ExamRandom(examSeed));
    if (form_->isDatabaseOpen()) {
        form_->show();
        QTest::qWait(0);
    }
}

FormDriver::~FormDriver() = default;

QString FormDriver::text(const char* name) const
{
    QWidget* widget = get(name);
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return edit->text();
    if (auto* memo = qobject_cast<QPlainTextEdit*>(widget))
        return memo->toPlainText();
    throw std::runtime_error(std::string("no text in ") + name);
}

const char* FormDriver::buttonForKey() const
{
    const QString key = text("edKey");
    if (key == QStringLiteral("A"))
        return "btA";
    if (key == QStringLiteral("B"))
        return "btB";
    if (key == QStringLiteral("对"))
        return "btOk";
    if (key == QStringLiteral("错"))
        return "btError";
    return "btC";
}

void FormDriver::answerWrong()
{
    const QString key = text("edKey");
    if (showing("btOk"))
        click(key == QStringLiteral("对") ? "btError" : "btOk");
    else
        click(key == QStringLiteral("A") ? "btB" : "btA");
}

void FormDriver::clickTreeEntry(int row, Qt::MouseButton button)
{
    auto* tree = get<ModeTree>("TreeView");
    const QRect rect = tree->visualItemRect(tree->topLevelItem(row));
    QTest::mouseClick(tree->viewport(), button, Qt::NoModifier, rect.center());
}

void FormDriver::clickTreeEmptySpace()
{
    auto* tree = get<ModeTree>("TreeView");
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(10, tree->viewport()->height() - 5));
}

QStringList FormDriver::visiblePracticePages() const
{
    auto* pages = get<QTabWidget>("pcXunlian");
    QStringList visible;
    for (int i = 0; i < pages->count(); ++i)
        if (pages->isTabVisible(i))
            visible << pages->widget(i)->objectName();
    return visible;
}

void FormDriver::typeGoTo(const QString& maskedText)
{
    auto* box = get<GoToBox>("mEdGo");
    box->clear();
    for (int i = 0; i < maskedText.size(); ++i) {
        if (maskedText.at(i) == QLatin1Char(' '))
            continue;
        box->setCursorPosition(i);
        box->insert(maskedText.at(i));
    }
}
