#include "editor/window/EditorWindow.h"

#include "tools/commands/CheckCommand.h"

#include "../tools/ToolFixtures.h"
#include "support/FormDriver.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QImage>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QStandardPaths>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString firstText = QStringLiteral("红灯亮时怎样做？\nA、停车\nB、加速\nC、鸣笛");

// The real editor window, shown offscreen, reached by object names; its
// message boxes are answered and recorded, its file dialogs answered by
// `chosen`.
class EditorWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true);
        QApplication::setOrganizationName(QStringLiteral("QuenharTest"));
        QApplication::setApplicationName(QStringLiteral("quenhar-editor-test"));
        // Each test's settings (the recent files) in a folder of its own:
        // tests run side by side must not see each other's.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder.path());
        QSettings().clear();
        bank.addClass(100, QStringLiteral("第一章"));
        bank.addClass(101, QStringLiteral("信号灯"));
        bank.addSubject({1, firstText, 1, 0, 0, 101, withPictureHeader(makeBitmap(30, 20))});
        bank.addSubject({2, QStringLiteral("黄灯可以抢行。"), 1, 1, 0, 101, {}});
        window = std::make_unique<EditorWindow>();
        window->setFileChooser([this](EditorWindow::Choice) { return chosen; });
        window->show();
        // Shortcuts reach the window that has the focus.
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    template <typename Widget = QWidget>
    Widget* get(const char* name) const
    {
        auto* widget = window->findChild<Widget*>(QLatin1String(name));
        if (!widget)
            throw std::runtime_error(std::string("no control named ") + name);
        return widget;
    }

    void trigger(const char* action) { get<QAction>(action)->trigger(); }

    void openBank()
    {
        bank.close(); // another program's until the editor opens it
        ASSERT_TRUE(window->openFile(bank.path()));
        ASSERT_EQ(get<QTableView>("questionList")->model()->rowCount(), 2);
    }

    // Types into a field as the user would, replacing what it held: the
    // Chinese text comes as an input method commits it.
    void retype(const char* name, const QString& text)
    {
        QWidget* field = get(name);
        field->setFocus();
        QTest::keySequence(field, QKeySequence::SelectAll);
        QInputMethodEvent typed;
        typed.setCommitString(text);
        QApplication::sendEvent(field, &typed);
    }

    QString storedText(int position) const { return window->document().questions()[position].row.text; }

    QTemporaryDir settingsFolder;
    TestBank bank;
    MessageBoxWatcher messages;
    QString chosen;
    std::unique_ptr<EditorWindow> window;
};

TEST_F(EditorWindowTest, AnEditSavedIntoTheBankIsWhatTheTrainerShows)
{
    openBank();
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_TRUE(window->windowTitle().contains(QLatin1String("velmora.db")));
    EXPECT_EQ(get<QLineEdit>("optionB")->text(), QStringLiteral("加速"));

    retype("optionB", QStringLiteral("减速慢行"));
    get<QPushButton>("key2")->click();
    get<QCheckBox>("mustAnswer")->click();
    QImage pasted(40, 25, QImage::Format_RGB32);
    pasted.fill(Qt::green);
    QApplication::clipboard()->setImage(pasted);
    get<QPushButton>("pastePicture")->click();
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_EQ(get<QPlainTextEdit>("previewText")->toPlainText(), QStringLiteral("红灯亮时怎样做？\nA、停车\nB、减速慢行\nC、鸣笛"))
        << "the preview follows the fields";

    trigger("actionSave");
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join('\n').toStdString();
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_TRUE(CheckCommand::check(bank.path()).programWorks());
    EXPECT_EQ(window->recentFiles().value(0), bank.path());

    FormDriver trainer(bank);
    EXPECT_EQ(trainer.question(), QStringLiteral("红灯亮时怎样做？\nA、停车\nB、减速慢行\nC、鸣笛"));
    EXPECT_EQ(trainer.text("edKey"), QStringLiteral("C"));
    EXPECT_TRUE(trainer.showing("lbBiDui"));
    EXPECT_EQ(trainer.get<QLabel>("Image1")->pixmap().size(), QSize(40, 25));
}

TEST_F(EditorWindowTest, UndoAndRedoReachEveryEditAlsoFromATextField)
{
    openBank();
    retype("questionText", QStringLiteral("绿灯亮时怎样做？"));
    EXPECT_TRUE(storedText(0).startsWith(QStringLiteral("绿灯亮时怎样做？\nA、")));

    // Ctrl+Z in the text field undoes the document's step, not just the field's.
    QTest::keySequence(get("questionText"), QKeySequence::Undo);
    EXPECT_EQ(storedText(0), firstText);
    EXPECT_EQ(get<QPlainTextEdit>("questionText")->toPlainText(), QStringLiteral("红灯亮时怎样做？"));
    EXPECT_FALSE(window->isWindowModified());
    QTest::keyClick(get("questionText"), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(storedText(0).startsWith(QStringLiteral("绿灯")));

    // Delete in the list deletes the question; in a text field it deletes a character.
    QTest::keyClick(get("questionText"), Qt::Key_Delete);
    EXPECT_EQ(window->document().questions().size(), 2);
    get("questionList")->setFocus();
    QTest::keyClick(get("questionList"), Qt::Key_Delete);
    ASSERT_EQ(window->document().questions().size(), 1);
    trigger("actionUndo");
    ASSERT_EQ(window->document().questions().size(), 2);
    trigger("actionUndo");
    EXPECT_EQ(storedText(0), firstText);
    EXPECT_FALSE(window->isWindowModified());
}

TEST_F(EditorWindowTest, ClosingWithUnsavedChangesAsksAndKeepsThemUnlessToldOtherwise)
{
    openBank();
    retype("optionA", QStringLiteral("靠边停车"));
    const QByteArray before = readFile(bank.path());

    messages.answerWith(QMessageBox::Cancel);
    EXPECT_FALSE(window->close());
    EXPECT_EQ(messages.boxes().size(), 1);
    EXPECT_TRUE(window->isVisible());

    messages.answerWith(QMessageBox::Discard);
    EXPECT_TRUE(window->close());
    EXPECT_EQ(readFile(bank.path()), before) << "not saved when the user says so";

    window->show();
    messages.answerWith(QMessageBox::Save);
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(tableRows(bank.path(), QStringLiteral("Subjects"))[0].contains(QStringLiteral("靠边停车")));
}

TEST_F(EditorWindowTest, ABankChangedByAnotherProgramIsNeverOverwrittenWithoutAsking)
{
    openBank();
    retype("optionA", QStringLiteral("靠边停车"));
    bank.exec(QStringLiteral("update Subjects set subject = '另一个程序的修改' where [no] = 2"));
    const QByteArray theirs = readFile(bank.path());

    messages.answerWith(QMessageBox::Cancel);
    trigger("actionSave");
    ASSERT_EQ(messages.boxes().size(), 1);
    EXPECT_TRUE(messages.texts()[0].contains(QLatin1String("changed or replaced by another program")));
    EXPECT_EQ(readFile(bank.path()), theirs);
    EXPECT_TRUE(window->isWindowModified());

    // Keeping both: the edit goes to a new bank, theirs stays.
    chosen = bank.dir() + QStringLiteral("/mine.db");
    messages.answerWith(QMessageBox::Save);
    trigger("actionSave");
    EXPECT_EQ(readFile(bank.path()), theirs);
    EXPECT_TRUE(tableRows(chosen, QStringLiteral("Subjects"))[0].contains(QStringLiteral("靠边停车")));
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_EQ(window->filePath(), chosen);

    // Replacing theirs on purpose, when asked.
    retype("optionC", QStringLiteral("开灯"));
    writeFile(chosen + QStringLiteral(".other"), readFile(bank.path()));
    QFile::remove(chosen);
    QFile::rename(chosen + QStringLiteral(".other"), chosen);
    messages.clear();
    messages.answerWith(QMessageBox::Discard);
    trigger("actionSave");
    EXPECT_EQ(messages.boxes().size(), 1);
    EXPECT_TRUE(tableRows(chosen, QStringLiteral("Subjects"))[0].contains(QStringLiteral("开灯")));
}

TEST_F(EditorWindowTest, WhatASaveWouldLeaveOutOfTheBankIsOnlyLeftOutWhenTheUserSaysSo)
{
    bank.exec(QStringLiteral("create table notes (line text)"));
    bank.exec(QStringLiteral("alter table ziliao add column author text"));
    openBank();
    retype("optionA", QStringLiteral("靠边停车"));
    const QByteArray before = readFile(bank.path());

    messages.answerWith(QMessageBox::Cancel);
    trigger("actionSave");
    ASSERT_EQ(messages.boxes().size(), 1);
    EXPECT_EQ(readFile(bank.path()), before);
    EXPECT_TRUE(window->isWindowModified());

    messages.answerWith(QMessageBox::Yes);
    trigger("actionSave");
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_TRUE(tableRows(bank.path(), QStringLiteral("Subjects"))[0].contains(QStringLiteral("靠边停车")));
    messages.clear();
    retype("optionA", QStringLiteral("停车"));
    trigger("actionSave");
    EXPECT_TRUE(messages.boxes().isEmpty()) << "asked once, for what the opened bank held";
}

TEST_F(EditorWindowTest, AHostileSourceIsReadWithItsProblemsAndNothingBadIsSaved)
{
    QTemporaryDir dir;
    QStringList questions = {
        QStringLiteral(R"({"no": 1, "category": 101, "type": "single", "text": "题一\nA、一\nB、二\nC、三", "answer": "B", "mustAnswer": false, "picture": "/dev/zero"})"),
        QStringLiteral(R"({"no": 2, "category": 101, "type": "single", "text": "题二", "answer": "X", "mustAnswer": false})"),
        QStringLiteral(R"({"no": 3, "category": 101, "type": "judge", "text": "题三", "answer": "对", "mustAnswer": false})"),
    };
    writeFile(dir.filePath(QStringLiteral("bank.json")),
              jsonSource({QStringLiteral(R"({"no": 101, "title": "信号灯"})")}, questions));
    writeFile(dir.filePath(QStringLiteral("garbage.db")), QByteArray("SQLite format 3") + QByteArray(3000, '\xff'));

    EXPECT_FALSE(window->openFile(dir.filePath(QStringLiteral("garbage.db"))));
    ASSERT_EQ(messages.boxes().size(), 1);
    EXPECT_EQ(messages.boxes()[0].title, QStringLiteral("Lumeross_2007"));
    messages.clear();

    ASSERT_TRUE(window->openFile(dir.filePath(QStringLiteral("bank.json"))));
    ASSERT_EQ(messages.boxes().size(), 1) << "the source's errors are listed";
    const auto* problems = get<QListWidget>("problemList");
    ASSERT_GT(problems->count(), 0);
    EXPECT_TRUE(problems->item(0)->text().contains(QLatin1String("When the source was read")))
        << "and stay in the problems list";
    EXPECT_FALSE(window->windowTitle().contains(QLatin1String("velmora")));

    // The picture cannot be converted: nothing is saved, nothing left behind.
    chosen = dir.filePath(QStringLiteral("velmora.db"));
    messages.clear();
    trigger("actionSave");
    EXPECT_EQ(messages.boxes().size(), 1);
    EXPECT_FALSE(QFile::exists(chosen));
    EXPECT_EQ(folderEntries(dir.path()), (QStringList{QStringLiteral("bank.json"), QStringLiteral("garbage.db")}));

    const auto* list = get<QTableView>("questionList");
    for (int row = 0; row < list->model()->rowCount(); ++row) {
        get<QTableView>("questionList")->setCurrentIndex(list->model()->index(row, 0));
        if (get<QPushButton>("removePicture")->isEnabled())
            get<QPushButton>("removePicture")->click();
    }
    messages.clear();
    trigger("actionSave");
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join('\n').toStdString();
    EXPECT_TRUE(CheckCommand::check(chosen).programWorks());
}

} // namespace
