#pragma once

#include "exam/ExamRandom.h"

#include <QStringList>
#include <QWidget>

#include <memory>

class Database;
class GoToBox;
class ModeTree;
class PageShowHook;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QTabWidget;
class RecordSet;
class ZiLiaoPage;

// The program's one window. It owns the connection to the question bank, the
// three record sets, every control and the exam state; its handlers are named
// after the control and the event they serve.
class TfrmMain : public QWidget
{
    Q_OBJECT

public:
    explicit TfrmMain(QWidget* parent = nullptr);
    ~TfrmMain() override;

    // False when the bank could not be opened: the user has been told, and
    // the window must not be shown.
    bool isDatabaseOpen() const { return connection_ != nullptr; }

    // Replaces the generator of the exam draw (tests use a fixed seed).
    void setExamRandom(const ExamRandom& random) { examRandom_ = random; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Window lifecycle.
    void FormCreate();
    void FormShow();
    void FormClose();
    void btOverClick();
    bool postPendingMaterials();

    // Layout: the window's widgets, built once by the constructor.
    void createWidgets();
    QWidget* createEducatePage();
    QWidget* createLeftColumn();
    QWidget* createControlStrip();
    QTabWidget* createPracticePages();
    QWidget* addPracticePage(const char* name, const QString& caption, int modeCode, QPlainTextEdit* memo,
                             QWidget* bar = nullptr, int barHeight = 0);
    QWidget* createClassBar();
    QWidget* createScoreBar();
    void connectHandlers();
    void showPracticePage(QWidget* page);
    void hidePracticePage(QWidget* page);

    // Question display and answering.
    void ShowSubject();
    void btOkClick(QPushButton* sender);
    void cbShowDAClick();
    void showQuestionControls(int result, int classNo, bool mustAnswer);

    // Practice modes and navigation.
    void tsFenLeiShow();
    void LoadClassType();
    void cbClassTypeChange();
    void OpenClassSubjects(const QString& fatherNo);
    void tsSunxuShow();
    void tsZhongdianShow();
    // Opens the question set on `sql` (with one parameter) and shows its first question.
    void openSubjects(const QString& sql, const QString& parameter = {}, const QString& value = {});
    void btPriorClick();
    void btNextClick();
    void btGoClick();

    // Mode selection.
    void TreeViewClick();

    // Mock exam.
    void tsMoNiShow();
    void drawExamNumbers(const QString& sql, int minimum, int until);
    void NextExamSubject(bool first);
    void examAnswered();

    // Materials.
    void tsZiLiaoShow();

    // The connection and its record sets, opened by FormCreate.
    std::unique_ptr<Database> connection_;
    std::unique_ptr<RecordSet> ADOQueryTemp;
    std::unique_ptr<RecordSet> ADOQuerySubjects;
    std::unique_ptr<RecordSet> ADOQueryZiLiao;

    // Exam state.
    QStringList slExamNo;
    int iScore = 0;
    bool bTesting = false;
    ExamRandom examRandom_;

    bool shownOnce_ = false;
    PageShowHook* pageShowHook_ = nullptr;

    // Controls (owned by their Qt parents).
    QTabWidget* pcMain = nullptr;
    QWidget* tsEducate = nullptr;
    QWidget* tsSetup = nullptr;
    QWidget* tsZiLiao = nullptr;
    ModeTree* TreeView = nullptr;
    QWidget* pnKey = nullptr;
    QLineEdit* edKey = nullptr;
    QCheckBox* cbShowDA = nullptr;
    QLabel* lbSubjectsNo = nullptr;
    QPushButton* btGo = nullptr;
    GoToBox* mEdGo = nullptr;
    QPushButton* btA = nullptr;
    QPushButton* btB = nullptr;
    QPushButton* btC = nullptr;
    QPushButton* btOk = nullptr;
    QPushButton* btError = nullptr;
    QLabel* lbPass = nullptr;
    QLabel* lbError = nullptr;
    QLabel* lbBiDui = nullptr;
    QPushButton* btPrior = nullptr;
    QPushButton* btNext = nullptr;
    QPushButton* btOver = nullptr;
    QTabWidget* pcXunlian = nullptr;
    QWidget* tsFenLei = nullptr;
    QWidget* tsSunxu = nullptr;
    QWidget* tsZhongdian = nullptr;
    QWidget* tsMoNi = nullptr;
    QPlainTextEdit* MmFenLei = nullptr;
    QPlainTextEdit* mmShunxu = nullptr;
    QPlainTextEdit* mmZhongDian = nullptr;
    QPlainTextEdit* mmMoNi = nullptr;
    QComboBox* cbClassType = nullptr;
    QLineEdit* edFenShu = nullptr;
    QSplitter* Splitter1 = nullptr;
    QLabel* Image1 = nullptr;
    ZiLiaoPage* ziLiaoPage_ = nullptr;
};
