// The window's lifecycle: creation with the connection, first show, closing,
// the End button, and the wiring of every handler.

#include "app/TfrmMain.h"

#include "app/ErrorReporting.h"
#include "app/Messages.h"
#include "app/PageControl.h"
#include "app/PageShowHook.h"
#include "app/WindowPlacement.h"
#include "layout/FormLayout.h"
#include "materials/ZiLiaoPage.h"
#include "practice/ModeTree.h"
#include "practice/QuestionSet.h"
#include "rules/BankFile.h"
#include "store/OpenFailure.h"
#include "store/Database.h"
#include "store/RecordSet.h"
#include "store/StoreError.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TfrmMain::TfrmMain(QWidget* parent)
    : QWidget(parent)
{
    createWidgets();
    FormCreate();
    if (!isDatabaseOpen())
        return;

    createMaterialsPage();
    connectHandlers();

    // Centred on the screen by its outer size, and whole on the screen at any
    // scale factor (the frame is estimated: the desktop tells it only later).
    const QRect frame = placeFrame(screen()->availableGeometry(), FormLayout::clientSize + FormLayout::frameAllowance,
                                   minimumSizeHint() + FormLayout::frameAllowance);
    resize(frame.size() - FormLayout::frameAllowance);
    move(frame.topLeft());
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::FormCreate()
{
    try {
        connection_ = std::make_unique<Database>(BankFile::name());
    } catch (const StoreError&) {
        // A bank that is there but out of SQLite's reach (a path too long for
        // it, a folder that may not be searched) is said as such; anything
        // else is the missing bank the user is told about.
        const QString problem = OpenFailure::pathProblem(BankFile::name());
        Messages::showMessage(problem.isEmpty() ? QStringLiteral("缺少velmora.db文件，不能允许!") : problem);
        return;
    }
    ADOQueryTemp = std::make_unique<RecordSet>(*connection_);
    ADOQuerySubjects = std::make_unique<RecordSet>(*connection_);
    ADOQueryZiLiao = std::make_unique<RecordSet>(*connection_);
    questions_ = std::make_unique<QuestionSet>(*ADOQuerySubjects);
}

void TfrmMain::createMaterialsPage()
{
    const auto resolveConflict = [] {
        return Messages::keepMineOnConflict() ? RecordSetModel::ConflictChoice::KeepMine
                                              : RecordSetModel::ConflictChoice::TakeStored;
    };
    ziLiaoPage_ = new ZiLiaoPage(*ADOQueryZiLiao, {&Messages::confirmDelete, resolveConflict}, tsZiLiao);
    ziLiaoPage_->setObjectName(QStringLiteral("ziLiaoPage"));
    // The page reports what failed; the window is where messages are shown.
    connect(ziLiaoPage_, &ZiLiaoPage::failed, this, &Messages::showError);
    auto* materialsLayout = new QVBoxLayout(tsZiLiao);
    materialsLayout->setContentsMargins(0, 0, 0, 0);
    materialsLayout->addWidget(ziLiaoPage_);
}

void TfrmMain::connectHandlers()
{
    // Every handler runs through the one error guard.
    const auto handler = [this](void (TfrmMain::*method)()) {
        return [this, method] { guarded([this, method] { (this->*method)(); }); };
    };
    const auto answer = [this](QPushButton* button) {
        connect(button, &QPushButton::clicked, this, [this, button] { guarded([this, button] { btOkClick(button); }); });
    };
    for (QPushButton* button : {btA, btB, btC, btOk, btError})
        answer(button);
    connect(btPrior, &QPushButton::clicked, this, handler(&TfrmMain::btPriorClick));
    connect(btNext, &QPushButton::clicked, this, handler(&TfrmMain::btNextClick));
    connect(btGo, &QPushButton::clicked, this, handler(&TfrmMain::btGoClick));
    connect(btOver, &QPushButton::clicked, this, handler(&TfrmMain::btOverClick));
    // toggled, not clicked: unchecking by program must hide the key too.
    connect(cbShowDA, &QCheckBox::toggled, this, handler(&TfrmMain::cbShowDAClick));
    // activated comes from the user only (mouse, Enter, arrow keys, wheel),
    // never from a selection made by the program; but it also comes when the
    // user picks the item already selected, which changes nothing.
    connect(cbClassType, &QComboBox::activated, this, [this](int index) {
        if (index == classIndexShown_)
            return;
        classIndexShown_ = index;
        guarded([this] { cbClassTypeChange(); });
    });
    connect(TreeView, &ModeTree::clicked, this, handler(&TfrmMain::TreeViewClick));

    pageShowHook_ = new PageShowHook(this);
    pageShowHook_->watch(tsFenLei, [this] { tsFenLeiShow(); });
    pageShowHook_->watch(tsSunxu, [this] { tsSunxuShow(); });
    pageShowHook_->watch(tsZhongdian, [this] { tsZhongdianShow(); });
    pageShowHook_->watch(tsMoNi, [this] { tsMoNiShow(); });
    pageShowHook_->watch(tsZiLiao, [this] { tsZiLiaoShow(); });
}

void TfrmMain::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (shownOnce_ || event->spontaneous() || !isDatabaseOpen())
        return;
    shownOnce_ = true;
    // The initial practice page becomes showing: its start routine runs once.
    guarded([this] { tsFenLeiShow(); });
    guarded([this] { FormShow(); });
}

void TfrmMain::FormShow()
{
    hidePracticePage(tsZhongdian);
    hidePracticePage(tsSunxu);
    hidePracticePage(tsMoNi);
    exam_.stop();
    pcMain->setTabVisible(pcMain->indexOf(tsSetup), false);
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    // The title bar closes the window once nothing typed on the materials
    // page would be lost. The exam's list goes with the window.
    event->setAccepted(mayEnd());
}

void TfrmMain::btOverClick()
{
    // Ends at once, also in the middle of an exam, once nothing typed on the
    // materials page would be lost.
    if (mayEnd())
        QCoreApplication::exit(0);
}

void TfrmMain::endAsRequested()
{
    guarded([this] { btOverClick(); });
}

bool TfrmMain::mayEnd()
{
    if (!ziLiaoPage_)
        return true;
    const std::optional<QString> failure = failureText([this] { ziLiaoPage_->postPending(); });
    if (!failure)
        return true;
    // One box says why, and lets the user go back to the text or drop it.
    if (!Messages::dropUnsavedChangeAndEnd(*failure))
        return false;
    guarded([this] { ziLiaoPage_->dropPending(); });
    return true;
}
