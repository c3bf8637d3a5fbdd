#include "support/FormDriver.h"

#include "layout/FormLayout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTabWidget>
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

const QString missingBank = QStringLiteral("缺少velmora.db文件，不能允许!");

void addStandardBank(TestBank& bank)
{
    bank.addClass(100, QStringLiteral("道路交通安全法律、法规和规章"));
    bank.addClass(102, QStringLiteral("道路通行规定"));
    bank.addClass(101, QStringLiteral("驾驶证申领和使用"));
    bank.addSubject({7, QStringLiteral("第一类的第一题"), 1, 0, 0, 101, {}});
    bank.addSubject({3, QStringLiteral("第二类的题"), 0, 1, 1, 102, {}});
    bank.addSubject({9, QStringLiteral("第一类的第二题"), 2, 0, 0, 101, {}});
}

QStringList filesIn(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

} // namespace

TEST(FormStart, withoutABankTheUserSeesOnlyTheMissingFileMessage)
{
    QTemporaryDir dir;
    MessageBoxWatcher watcher;
    WorkingDirectory cwd(dir.path());
    TfrmMain form;
    EXPECT_FALSE(form.isDatabaseOpen());
    EXPECT_EQ(watcher.texts(), QStringList{missingBank});
    EXPECT_EQ(watcher.boxes()[0].title, QStringLiteral("Lumeross_2007"));
    EXPECT_EQ(watcher.boxes()[0].icon, QMessageBox::NoIcon);
    EXPECT_TRUE(filesIn(dir.path()).isEmpty()) << "opening created a file";
}

TEST(FormStart, aFolderAnEmptyFileOrAnotherKindOfFileIsAMissingBank)
{
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("velmora.db"));
    WorkingDirectory cwd(dir.path());

    QDir(dir.path()).mkdir(QStringLiteral("velmora.db"));
    {
        MessageBoxWatcher watcher;
        TfrmMain form;
        EXPECT_FALSE(form.isDatabaseOpen());
        EXPECT_EQ(watcher.texts(), QStringList{missingBank});
    }
    QDir(dir.path()).rmdir(QStringLiteral("velmora.db"));

    for (const QByteArray& content : {QByteArray(), QByteArray("\0\x01\0\0Standard Jet DB\0", 19)}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        file.close();
        MessageBoxWatcher watcher;
        TfrmMain form;
        EXPECT_FALSE(form.isDatabaseOpen());
        EXPECT_EQ(watcher.texts(), QStringList{missingBank});
        QFile check(path);
        check.open(QIODevice::ReadOnly);
        EXPECT_EQ(check.readAll(), content);
        EXPECT_EQ(filesIn(dir.path()), QStringList{QStringLiteral("velmora.db")});
    }
}

TEST(FormStart, aBankInAFolderTooDeepForSQLiteIsNotCalledMissing)
{
    TestBank bank;
    addStandardBank(bank);
    QTemporaryDir dir;
    QString deep = dir.path();
    while (QFile::encodeName(deep).size() < 600)
        deep += QStringLiteral("/一个很长的文件夹名字");
    ASSERT_TRUE(QDir().mkpath(deep));
    ASSERT_TRUE(QFile::copy(bank.path(), deep + QStringLiteral("/velmora.db")));
    WorkingDirectory cwd(deep);
    MessageBoxWatcher watcher;
    TfrmMain form;
    EXPECT_FALSE(form.isDatabaseOpen());
    ASSERT_EQ(watcher.texts().size(), 1);
    EXPECT_NE(watcher.texts()[0], missingBank);
#ifdef Q_OS_WIN
    // Windows' own limit comes first there: no file whose path is MAX_PATH
    // (260) characters or longer.
    const QString limit = QStringLiteral("259");
#else
    const QString limit = QStringLiteral("511");
#endif
    EXPECT_TRUE(watcher.texts()[0].contains(QStringLiteral("velmora.db")) && watcher.texts()[0].contains(limit))
        << watcher.texts()[0].toStdString();
}

TEST(FormStart, showsTheFirstQuestionOfTheFirstListedCategory)
{
    TestBank bank;
    addStandardBank(bank);
    FormDriver ui(bank);
    EXPECT_TRUE(ui.messages().boxes().isEmpty());

    auto* pcMain = ui.get<QTabWidget>("pcMain");
    EXPECT_EQ(pcMain->currentWidget()->objectName(), QStringLiteral("tsEducate"));
    EXPECT_TRUE(pcMain->isTabVisible(pcMain->indexOf(ui.get("tsEducate"))));
    EXPECT_TRUE(pcMain->isTabVisible(pcMain->indexOf(ui.get("tsZiLiao"))));
    EXPECT_FALSE(pcMain->isTabVisible(pcMain->indexOf(ui.get("tsSetup"))));
    EXPECT_EQ(pcMain->tabText(0), QStringLiteral("交规训练"));
    EXPECT_EQ(pcMain->tabText(1), QStringLiteral("交规题库管理"));
    EXPECT_EQ(pcMain->tabText(2), QStringLiteral("各种资料"));

    EXPECT_EQ(ui.visiblePracticePages(), QStringList{QStringLiteral("tsFenLei")});
    EXPECT_EQ(ui.get<QTabWidget>("pcXunlian")->currentWidget()->objectName(), QStringLiteral("tsFenLei"));
    EXPECT_TRUE(ui.get<QTreeWidget>("TreeView")->selectedItems().isEmpty());

    auto* classes = ui.get<QComboBox>("cbClassType");
    ASSERT_EQ(classes->count(), 2); // 100 heads a chapter and is not offered
    EXPECT_EQ(classes->itemText(0), QStringLiteral("驾驶证申领和使用"));
    EXPECT_EQ(classes->currentIndex(), 0);
    EXPECT_EQ(ui.question(), QStringLiteral("第一类的第一题"));
    EXPECT_EQ(ui.text("mmMoNi"), QStringLiteral("第一类的第一题"));
    EXPECT_EQ(ui.number(), QStringLiteral("1"));
    EXPECT_EQ(ui.text("edFenShu"), QString());
    EXPECT_FALSE(ui.showing("edKey"));
    EXPECT_FALSE(ui.get<QCheckBox>("cbShowDA")->isChecked());
    EXPECT_EQ(ui.get<QLineEdit>("mEdGo")->displayText(), QStringLiteral("____1"));
}

TEST(FormStart, layoutFollowsTheFormsPositionsAndCaptions)
{
    TestBank bank;
    addStandardBank(bank);
    FormDriver ui(bank);
    TfrmMain& form = ui.form();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Quenhar"));
    EXPECT_EQ(form.size(), FormLayout::clientSize);
    for (const FormLayout::Placement& placement : FormLayout::controlStrip)
        EXPECT_EQ(ui.get(placement.name)->geometry(), placement.rect) << placement.name;

    EXPECT_EQ(ui.get("pnControl")->height(), FormLayout::controlStripHeight);
    EXPECT_EQ(ui.get<QTabWidget>("pcXunlian")->height(), FormLayout::practicePagesHeight);
    EXPECT_EQ(ui.get<QSplitter>("Splitter1")->handleWidth(), FormLayout::splitterWidth);
    EXPECT_EQ(ui.get("pnKey")->height(), FormLayout::keyPanelHeight);
    EXPECT_EQ(ui.get("TreeView")->parentWidget()->width(), FormLayout::leftColumnWidth);
    EXPECT_EQ(ui.get("edKey")->geometry(), FormLayout::edKey);

    const QStringList captions{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("对"),
                               QStringLiteral("错"), QStringLiteral("上一题"), QStringLiteral("下一题"),
                               QStringLiteral("结束"), QStringLiteral("转到")};
    const char* names[] = {"btA", "btB", "btC", "btOk", "btError", "btPrior", "btNext", "btOver", "btGo"};
    for (int i = 0; i < captions.size(); ++i)
        EXPECT_EQ(ui.get<QPushButton>(names[i])->text(), captions[i]) << names[i];
    EXPECT_EQ(ui.text("lbPass"), QStringLiteral("正 确"));
    EXPECT_EQ(ui.text("lbError"), QStringLiteral("错 误"));
    EXPECT_EQ(ui.text("lbBiDui"), QStringLiteral("必对题"));
    EXPECT_EQ(ui.get<QCheckBox>("cbShowDA")->text(), QStringLiteral("显示答案"));
    EXPECT_TRUE(ui.get<QPushButton>("btA")->font().bold());
    EXPECT_EQ(ui.get<QPushButton>("btA")->font().pixelSize(), FormLayout::answerButtonFontSize);
    // Every control asks for 宋体 first, by the name Windows knows it by in
    // every language and then by its Chinese one.
    for (const QWidget* widget : form.findChildren<QWidget*>())
        EXPECT_EQ(widget->font().families().mid(0, 2), (QStringList{QStringLiteral("SimSun"), QStringLiteral("宋体")}))
            << widget->metaObject()->className() << " " << widget->objectName().toStdString();

    // Growing the window gives all the room to the picture.
    form.resize(FormLayout::clientSize + QSize(200, 150));
    QTest::qWait(0);
    EXPECT_EQ(ui.get("TreeView")->parentWidget()->width(), FormLayout::leftColumnWidth);
    EXPECT_EQ(ui.get("pnControl")->height(), FormLayout::controlStripHeight);
    EXPECT_EQ(ui.get<QTabWidget>("pcXunlian")->height(), FormLayout::practicePagesHeight);
}

TEST(FormStart, aBankWithoutItsTablesReportsTheErrorAndTheWindowGoesOn)
{
    TestBank bank(false);
    FormDriver ui(bank);
    ASSERT_TRUE(ui.form().isDatabaseOpen());
    ASSERT_EQ(ui.messages().boxes().size(), 1);
    EXPECT_EQ(ui.messages().boxes()[0].icon, QMessageBox::Critical);
    EXPECT_EQ(ui.messages().texts()[0],
              QStringLiteral("The bank velmora.db cannot be used as the program needs (no such table: classes)"));
    // FormShow still ran after the failed start routine.
    EXPECT_EQ(ui.visiblePracticePages(), QStringList{QStringLiteral("tsFenLei")});
    ui.click("btNext"); // nothing open: nothing happens
    ui.click("btA");
    EXPECT_EQ(ui.messages().boxes().size(), 1);
}

TEST(FormStart, endButtonEndsTheEventLoopAtOnce)
{
    TestBank bank;
    addStandardBank(bank);
    FormDriver ui(bank);
    QTimer::singleShot(0, [&] { ui.click("btOver"); });
    EXPECT_EQ(qApp->exec(), 0);
    EXPECT_TRUE(ui.messages().boxes().isEmpty());
}
