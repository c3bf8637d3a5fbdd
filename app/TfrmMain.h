#pragma once

#include "exam/MockExam.h"

#include <QWidget>

#include <memory>

class Database;
class GoToBox;
class ModeTree;
class PageControl;
class PageShowHook;
class QuestionSet;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class RecordSet;
class ZiLiaoPage;

// The program's one window. It owns the connection to the question bank, the
// three record sets, every control, and the units that hold the logic: the
// question set, the mock exam, the materials page. Its handlers are named
// after the control and the event they serve; each reads the controls, calls
// a unit and shows the result.
class TfrmMain : public QWidget
{
    Q_OBJECT

public:
    explicit TfrmMain(QWidget* parent = nullptr);
    ~TfrmMain() override;

    // False when the bank could not be opened: the user has been told, and
    // the window must not be shown.
    bool isDatabaseOpen() const { return connection_ != nullptr; }

    // Whether the program may end now: nothing typed on the materials page
    // is left unsaved, or the user chose to drop it. When a change cannot be
    // saved, one box says why and lets the user go back to it.
    bool mayEnd();

    // A request from outside to end (a logout, a kill): ends as "结束"
    // does, or stays open when a change cannot be saved.
    void endAsRequested();

    // Replaces the generator of the exam draw (tests use a fixed seed).
    void setExamRandom(const ExamRandom& random) { exam_.setRandom(random); }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Window lifecycle.
    void FormCreate();
    void FormShow();
    void btOverClick();

    // Layout: the window's widgets, built once by the constructor.
    void createWidgets();
    QWidget* createEducatePage();
    QWidget* createLeftColumn();
    QWidget* createControlStrip();
    PageControl* createPracticePages();
    QWidget* addPracticePage(const char* name, const QString& caption, int modeCode, QPlainTextEdit* memo,
                             QWidget* bar = nullptr, int barHeight = 0);
    QWidget* createClassBar();
    QWidget* createScoreBar();
    void connectHandlers();
    void createMaterialsPage();
    void showPracticePage(QWidget* page);
    void hidePracticePage(QWidget* page);

    // Question display and answering.
    void ShowSubject();
    void btOkClick(QPushButton* sender);
    void cbShowDAClick();
    void showQuestionControls(int result, int classNo, bool mustAnswer);
    void announceQuestion(bool trueFalse, bool mustAnswer);

    // Practice modes and navigation.
    void tsFenLeiShow();
    void LoadClassType();
    void cbClassTypeChange();
    void OpenClassSubjects(const QString& fatherNo);
    void tsSunxuShow();
    void tsZhongdianShow();
    void btPriorClick();
    void btNextClick();
    void btGoClick();

    // Mode selection.
    void TreeViewClick();

    // Mock exam.
    void tsMoNiShow();
    void NextExamSubject(bool first);
    void examAnswered(bool right);

    // Materials.
    void tsZiLiaoShow();

    // The connection and its record sets, opened by FormCreate.
    std::unique_ptr<Database> connection_;
    std::unique_ptr<RecordSet> ADOQueryTemp;
    std::unique_ptr<RecordSet> ADOQuerySubjects;
    std::unique_ptr<RecordSet> ADOQueryZiLiao;

    // The units over them.
    std::unique_ptr<QuestionSet> questions_; // over ADOQuerySubjects
    MockExam exam_;                          // draws through ADOQueryTemp

    bool shownOnce_ = false;
    // The category box's selection as the program last set it or the user
    // last chose it: picking it again is no change.
    int classIndexShown_ = -1;
    PageShowHook* pageShowHook_ = nullptr;

    // Controls (owned by their Qt parents).
    PageControl* pcMain = nullptr;
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
    PageControl* pcXunlian = nullptr;
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
