#include "editor/window/EditorWindow.h"

#include "editor/document/QuestionListModel.h"
#include "editor/window/CategoryPanel.h"
#include "editor/window/EditorMessages.h"
#include "editor/window/FileActions.h"
#include "editor/window/MaterialsPanel.h"
#include "editor/window/QuestionEditor.h"
#include "editor/window/QuestionPreview.h"

#include "tools/pictures/PictureConverter.h"

#include "rules/CategoryNumber.h"
#include "rules/StoredPicture.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDockWidget>
#include <QFormLayout>
#include <QHeaderView>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>

namespace {

template <typename Widget>
Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// How long after an edit the problems are looked for again, and after a
// key in the search field the list is filtered: typing stays smooth.
constexpr int problemDelayMs = 300;
constexpr int filterDelayMs = 150;

constexpr int problemRole = Qt::UserRole + 1;

} // namespace

EditorWindow::EditorWindow(QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("EditorWindow"));
    files_ = new FileActions(document_, *this);
    model_ = new QuestionListModel(document_, this);
    problemTimer_ = new QTimer(this);
    problemTimer_->setSingleShot(true);
    problemTimer_->setInterval(problemDelayMs);
    connect(problemTimer_, &QTimer::timeout, this, &EditorWindow::refreshProblems);
    filterTimer_ = new QTimer(this);
    filterTimer_->setSingleShot(true);
    filterTimer_->setInterval(filterDelayMs);
    connect(filterTimer_, &QTimer::timeout, this, &EditorWindow::applyFilter);

    createActions();
    createMenus();

    tabs_ = named(new QTabWidget, "leftTabs");
    tabs_->addTab(createQuestionTab(), tr("Questions"));
    categories_ = named(new CategoryPanel(document_), "categoryPanel");
    tabs_->addTab(categories_, tr("Categories"));
    materials_ = named(new MaterialsPanel(document_), "materialsPanel");
    tabs_->addTab(materials_, tr("Reference texts"));

    editor_ = new QuestionEditor;
    preview_ = new QuestionPreview;
    auto* previewBox = new QWidget;
    auto* previewLayout = new QVBoxLayout(previewBox);
    auto* previewTitle = new QLabel(tr("As the trainer shows it"));
    QFont bold = previewTitle->font();
    bold.setBold(true);
    previewTitle->setFont(bold);
    previewLayout->addWidget(previewTitle);
    previewLayout->addWidget(preview_);
    auto* previewScroll = named(new QScrollArea, "previewArea");
    previewScroll->setWidget(previewBox);
    previewScroll->setWidgetResizable(true);
    auto* editorScroll = new QScrollArea;
    editorScroll->setWidget(editor_);
    editorScroll->setWidgetResizable(true);

    auto* splitter = named(new QSplitter(Qt::Horizontal), "mainSplitter");
    splitter->addWidget(tabs_);
    splitter->addWidget(editorScroll);
    splitter->addWidget(previewScroll);
    // The preview is as wide as the trainer's question area, whole; the
    // list and the fields share the rest.
    previewScroll->setMinimumWidth(previewBox->sizeHint().width() + previewScroll->verticalScrollBar()->sizeHint().width());
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    splitter->setStretchFactor(2, 0);
    splitter->setSizes({330, 370, previewScroll->minimumWidth()});
    setCentralWidget(splitter);
    createProblemsDock();

    counts_ = named(new QLabel, "problemCounts");
    statusBar()->addPermanentWidget(counts_);

    connect(editor_, &QuestionEditor::edited, this, &EditorWindow::questionEdited);
    connect(editor_, &QuestionEditor::openPictureRequested, this, &EditorWindow::choosePicture);
    connect(editor_, &QuestionEditor::pastePictureRequested, this, &EditorWindow::pastePicture);
    connect(editor_, &QuestionEditor::removePictureRequested, this, [this] {
        if (currentPosition() >= 0)
            document_.setPicture(currentPosition(), PictureValue::none());
    });
    connect(categories_, &CategoryPanel::categoryChosen, this, [this](qint64 no) {
        filterCategory_->setCurrentIndex(filterCategory_->findData(no));
        tabs_->setCurrentIndex(0);
    });
    connect(&document_, &BankDocument::questionChanged, this, [this](int position) {
        if (position == currentPosition())
            showCurrentQuestion();
        problemTimer_->start();
    });
    connect(&document_, &BankDocument::questionsReset, this, [this] {
        showCurrentQuestion();
        problemTimer_->start();
    });
    connect(&document_, &BankDocument::categoriesChanged, this, &EditorWindow::rebuildCategoryFilter);
    connect(&document_, &BankDocument::materialsChanged, this, [this] { problemTimer_->start(); });
    connect(files_, &FileActions::aboutToUseDocument, materials_, &MaterialsPanel::commit);
    connect(files_, &FileActions::loaded, this, &EditorWindow::showLoaded);
    connect(files_, &FileActions::sourceProblemsChanged, this, &EditorWindow::refreshProblems);

    // Undo and redo are the document's everywhere, also while a text field
    // has the focus (the field would otherwise take the keys for its own
    // history, which knows nothing of the bank).
    qApp->installEventFilter(this);
    // Room for the list, the fields and the preview side by side; on a
    // smaller screen (a 1366×768 laptop) the window starts maximized rather
    // than reaching past the screen's edge.
    const QSize wanted(1280, 800);
    const QSize frame(16, 48); // the title bar and borders around that size, about
    const QSize available = screen()->availableGeometry().size();
    resize(wanted.boundedTo(available - frame));
    if (wanted.width() + frame.width() > available.width() || wanted.height() + frame.height() > available.height())
        setWindowState(Qt::WindowMaximized);
    files_->newBank();
}

void EditorWindow::closeEvent(QCloseEvent* event)
{
    if (files_->maybeKeepChanges())
        event->accept();
    else
        event->ignore();
}

void EditorWindow::showLoaded()
{
    applyFilter();
    selectQuestion(0);
    refreshProblems();
}

bool EditorWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        for (const QAction* action : {undoAction_, redoAction_})
            if (action->shortcuts().contains(key->keyCombination()))
                return true; // not accepted: the shortcut runs
    }
    return QMainWindow::eventFilter(watched, event);
}

EditorWindow::~EditorWindow()
{
    // The views and the model read the document, a member that is gone
    // before QWidget deletes the window's children: they go first.
    delete takeCentralWidget();
    qDeleteAll(findChildren<QDockWidget*>(Qt::FindDirectChildrenOnly));
    delete model_;
}

void EditorWindow::createActions()
{
    const auto action = [this](const QString& text, const char* name, const QKeySequence& keys = {}) {
        auto* created = new QAction(text, this);
        created->setObjectName(QLatin1String(name));
        created->setShortcut(keys);
        return created;
    };
    newAction_ = action(tr("&New bank"), "actionNew", QKeySequence::New);
    openAction_ = action(tr("&Open…"), "actionOpen", QKeySequence::Open);
    saveAction_ = action(tr("&Save"), "actionSave", QKeySequence::Save);
    saveAsAction_ = action(tr("Save &as…"), "actionSaveAs", QKeySequence::SaveAs);
    undoAction_ = action(tr("&Undo"), "actionUndo", QKeySequence::Undo);
    redoAction_ = action(tr("&Redo"), "actionRedo");
    // Ctrl+Y everywhere, beside the desktop's own redo keys.
    QList<QKeySequence> redoKeys{QKeySequence(Qt::CTRL | Qt::Key_Y)};
    for (const QKeySequence& keys : QKeySequence::keyBindings(QKeySequence::Redo))
        if (!redoKeys.contains(keys))
            redoKeys.append(keys);
    redoAction_->setShortcuts(redoKeys);
    QUndoStack* stack = document_.undoStack();
    undoAction_->setEnabled(false);
    redoAction_->setEnabled(false);
    connect(stack, &QUndoStack::canUndoChanged, undoAction_, &QAction::setEnabled);
    connect(stack, &QUndoStack::canRedoChanged, redoAction_, &QAction::setEnabled);
    connect(stack, &QUndoStack::undoTextChanged, undoAction_, [this](const QString& text) {
        undoAction_->setText(text.isEmpty() ? tr("&Undo") : tr("&Undo: %1").arg(text));
    });
    connect(stack, &QUndoStack::redoTextChanged, redoAction_, [this](const QString& text) {
        redoAction_->setText(text.isEmpty() ? tr("&Redo") : tr("&Redo: %1").arg(text));
    });
    findAction_ = action(tr("&Find…"), "actionFind", QKeySequence::Find);
    addAction_ = action(tr("&Add question"), "actionAddQuestion", QKeySequence(Qt::CTRL | Qt::Key_Return));
    deleteAction_ = action(tr("&Delete question"), "actionDeleteQuestion", QKeySequence::Delete);
    // Delete removes a question only where questions are chosen: in text
    // fields it deletes characters.
    deleteAction_->setShortcutContext(Qt::WidgetShortcut);

    connect(newAction_, &QAction::triggered, files_, [this] {
        if (files_->maybeKeepChanges())
            files_->newBank();
    });
    connect(openAction_, &QAction::triggered, files_, &FileActions::openChosen);
    connect(saveAction_, &QAction::triggered, files_, &FileActions::save);
    connect(saveAsAction_, &QAction::triggered, files_, &FileActions::saveAs);
    // A reference text still being typed becomes its own step first.
    connect(undoAction_, &QAction::triggered, this, [this] {
        materials_->commit();
        document_.undoStack()->undo();
    });
    connect(redoAction_, &QAction::triggered, this, [this] {
        materials_->commit();
        document_.undoStack()->redo();
    });
    connect(findAction_, &QAction::triggered, this, [this] {
        tabs_->setCurrentIndex(0);
        search_->setFocus();
        search_->selectAll();
    });
    connect(addAction_, &QAction::triggered, this, &EditorWindow::addQuestion);
    connect(deleteAction_, &QAction::triggered, this, &EditorWindow::deleteQuestion);
}

void EditorWindow::createMenus()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("menuFile"));
    file->addAction(newAction_);
    file->addAction(openAction_);
    QMenu* recent = file->addMenu(tr("Open &recent"));
    recent->setObjectName(QStringLiteral("menuRecent"));
    file->addSeparator();
    file->addAction(saveAction_);
    file->addAction(saveAsAction_);
    QMenu* exports = file->addMenu(tr("&Export"));
    exports->setObjectName(QStringLiteral("menuExport"));
    const auto exportAction = [&](const QString& text, const char* name, ExportCommand::Format format) {
        QAction* created = exports->addAction(text);
        created->setObjectName(QLatin1String(name));
        connect(created, &QAction::triggered, files_, [this, format] { files_->exportAs(format); });
    };
    exportAction(tr("Excel workbook (.xlsx)…"), "actionExportXlsx", ExportCommand::Format::Xlsx);
    exportAction(tr("CSV sheets (.csv)…"), "actionExportCsv", ExportCommand::Format::Csv);
    exportAction(tr("JSON (.json)…"), "actionExportJson", ExportCommand::Format::Json);
    file->addSeparator();
    QAction* quit = file->addAction(tr("&Quit"), QKeySequence::Quit, this, &QWidget::close);
    quit->setObjectName(QStringLiteral("actionQuit"));

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->setObjectName(QStringLiteral("menuEdit"));
    edit->addAction(undoAction_);
    edit->addAction(redoAction_);
    edit->addSeparator();
    edit->addAction(addAction_);
    edit->addAction(deleteAction_);
    edit->addSeparator();
    edit->addAction(findAction_);
    files_->setRecentMenu(recent);
}

QWidget* EditorWindow::createQuestionTab()
{
    auto* tab = new QWidget;
    auto* layout = new QVBoxLayout(tab);
    search_ = named(new QLineEdit, "searchField");
    search_->setPlaceholderText(tr("Search the text or a number (Ctrl+F)"));
    search_->setClearButtonEnabled(true);
    layout->addWidget(search_);

    auto* filters = new QHBoxLayout;
    filterCategory_ = named(new QComboBox, "filterCategory");
    filterType_ = named(new QComboBox, "filterType");
    filterType_->addItem(tr("All types"));
    filterType_->addItem(tr("Single choice"), true);
    filterType_->addItem(tr("True/false"), false);
    filterMustAnswer_ = named(new QComboBox, "filterMustAnswer");
    filterMustAnswer_->addItem(tr("Must-answer or not"));
    filterMustAnswer_->addItem(tr("Must-answer only"), true);
    filterMustAnswer_->addItem(tr("Ordinary only"), false);
    filters->addWidget(filterCategory_, 2);
    filters->addWidget(filterType_, 1);
    filters->addWidget(filterMustAnswer_, 1);
    layout->addLayout(filters);
    auto* checks = new QHBoxLayout;
    filterPicture_ = named(new QCheckBox(tr("With a picture")), "filterPicture");
    filterProblem_ = named(new QCheckBox(tr("With a problem")), "filterProblem");
    checks->addWidget(filterPicture_);
    checks->addWidget(filterProblem_);
    checks->addStretch(1);
    layout->addLayout(checks);

    list_ = named(new QTableView, "questionList");
    list_->setModel(model_);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->verticalHeader()->hide();
    list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 6);
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list_->horizontalHeader()->setSectionResizeMode(QuestionListModel::Text, QHeaderView::Stretch);
    list_->setAlternatingRowColors(true);
    // The text column takes what the others leave; the number is always in view.
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->addAction(deleteAction_);
    layout->addWidget(list_, 1);

    auto* buttons = new QHBoxLayout;
    auto* add = named(new QPushButton(tr("New question")), "addQuestion");
    auto* remove = named(new QPushButton(tr("Delete question")), "deleteQuestion");
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    connect(add, &QPushButton::clicked, addAction_, &QAction::trigger);
    connect(remove, &QPushButton::clicked, deleteAction_, &QAction::trigger);

    connect(search_, &QLineEdit::textChanged, filterTimer_, qOverload<>(&QTimer::start));
    for (QComboBox* box : {filterCategory_, filterType_, filterMustAnswer_})
        connect(box, &QComboBox::currentIndexChanged, this, &EditorWindow::applyFilter);
    for (QCheckBox* box : {filterPicture_, filterProblem_})
        connect(box, &QCheckBox::toggled, this, &EditorWindow::applyFilter);
    connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &EditorWindow::showCurrentQuestion);
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                &EditorWindow::showCurrentQuestion, Qt::UniqueConnection);
    });
    return tab;
}

void EditorWindow::createProblemsDock()
{
    auto* dock = named(new QDockWidget(tr("Problems")), "problemsDock");
    dock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    problemList_ = named(new QListWidget, "problemList");
    dock->setWidget(problemList_);
    addDockWidget(Qt::BottomDockWidgetArea, dock);
    resizeDocks({dock}, {110}, Qt::Vertical);
    connect(problemList_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const QVariant question = item->data(problemRole);
        const int position = question.isValid() ? question.toInt() : -1;
        if (position >= 0)
            selectQuestion(position);
    });
    connect(problemList_, &QListWidget::itemClicked, problemList_, &QListWidget::itemActivated);
}

void EditorWindow::rebuildCategoryFilter()
{
    const QVariant chosen = filterCategory_->currentData();
    const QSignalBlocker blocker(filterCategory_);
    filterCategory_->clear();
    filterCategory_->addItem(tr("All categories"));
    for (const BankCategory& category : document_.categories())
        filterCategory_->addItem(QStringLiteral("%1 %2").arg(category.no).arg(category.title), category.no);
    const int index = chosen.isValid() ? filterCategory_->findData(chosen) : 0;
    filterCategory_->setCurrentIndex(std::max(index, 0));
    if (index < 0)
        applyFilter();
    problemTimer_->start();
}

void EditorWindow::applyFilter()
{
    const int position = currentPosition();
    QuestionFilter filter;
    if (filterCategory_->currentData().isValid())
        filter.category = filterCategory_->currentData().toLongLong();
    if (filterType_->currentData().isValid())
        filter.singleChoice = filterType_->currentData().toBool();
    if (filterMustAnswer_->currentData().isValid())
        filter.mustAnswer = filterMustAnswer_->currentData().toBool();
    filter.withPicture = filterPicture_->isChecked();
    filter.withProblem = filterProblem_->isChecked();
    filter.search = search_->text();
    model_->setFilter(filter);
    // The question being edited stays chosen when the filter lets it
    // through; otherwise the first one shown is.
    const int row = std::max(model_->rowOf(position), 0);
    if (model_->rowCount() > 0)
        list_->setCurrentIndex(model_->index(row, QuestionListModel::Number));
    showCurrentQuestion();
    updateStatus();
}

int EditorWindow::currentPosition() const
{
    return editor_->position();
}

void EditorWindow::selectQuestion(int position)
{
    int row = model_->rowOf(position);
    if (row < 0 && position >= 0 && position < document_.questions().size()) {
        // A question the filter hides is shown by showing everything.
        for (QWidget* control : std::initializer_list<QWidget*>{search_, filterCategory_, filterType_,
                                                               filterMustAnswer_, filterPicture_, filterProblem_})
            control->blockSignals(true);
        search_->clear();
        for (QComboBox* box : {filterCategory_, filterType_, filterMustAnswer_})
            box->setCurrentIndex(0);
        filterPicture_->setChecked(false);
        filterProblem_->setChecked(false);
        for (QWidget* control : std::initializer_list<QWidget*>{search_, filterCategory_, filterType_,
                                                               filterMustAnswer_, filterPicture_, filterProblem_})
            control->blockSignals(false);
        model_->setFilter({});
        row = model_->rowOf(position);
    }
    if (row < 0 && model_->rowCount() > 0)
        row = 0;
    if (row >= 0) {
        list_->setCurrentIndex(model_->index(row, QuestionListModel::Number));
        list_->scrollTo(model_->index(row, 0));
    }
    showCurrentQuestion();
}

QImage EditorWindow::pictureOf(int position) const
{
    QString error;
    const auto stored = document_.questions()[position].picture.storedValue(error);
    if (!stored)
        return {};
    try {
        return StoredPicture::decode(*stored);
    } catch (const StoredPicture::InvalidPicture&) {
        return {};
    }
}

void EditorWindow::showCurrentQuestion()
{
    const int position = model_->positionAt(list_->currentIndex().row());
    if (position < 0 || position >= document_.questions().size()) {
        editor_->showNothing();
        preview_->showNothing();
        return;
    }
    const DocumentQuestion& question = document_.questions()[position];
    const QImage picture = pictureOf(position);
    editor_->showQuestion(position, question.row, document_.categories(), picture, question.picture.present());
    preview_->showQuestion(question.row, picture);
}

void EditorWindow::questionEdited(int position, const BankQuestion& question, BankDocument::Field field)
{
    document_.setQuestion(position, question, field);
}

void EditorWindow::addQuestion()
{
    qint64 category = filterCategory_->currentData().isValid() ? filterCategory_->currentData().toLongLong() : 0;
    if (category == 0 && currentPosition() >= 0)
        category = document_.questions()[currentPosition()].row.category;
    if (category == 0)
        for (const BankCategory& listed : document_.categories())
            if (!CategoryNumber::isHeading(listed.no)) {
                category = listed.no;
                break;
            }
    const int position = document_.addQuestion(category);
    selectQuestion(position);
    editor_->findChild<QWidget*>(QStringLiteral("questionText"))->setFocus();
}

void EditorWindow::deleteQuestion()
{
    const int position = currentPosition();
    if (position < 0)
        return;
    const int row = model_->rowOf(position);
    document_.removeQuestion(position);
    if (model_->rowCount() > 0)
        list_->setCurrentIndex(model_->index(std::min(row, model_->rowCount() - 1), QuestionListModel::Number));
    showCurrentQuestion();
}

void EditorWindow::choosePicture()
{
    const QString file = files_->choose(FileActions::Choice::Picture);
    if (!file.isEmpty())
        putPicture(file);
}

// A picture on the clipboard goes through the same conversion as a file,
// from a lossless copy in a temporary folder.
void EditorWindow::pastePicture()
{
    const QImage image = QApplication::clipboard()->image();
    if (image.isNull()) {
        EditorMessages::error(this, tr("The clipboard holds no picture. Copy a picture first, then paste it."));
        return;
    }
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("pasted.png"));
    if (!folder.isValid() || !image.save(file, "PNG")) {
        EditorMessages::error(this, tr("The pasted picture could not be kept for conversion."));
        return;
    }
    putPicture(file);
}

void EditorWindow::putPicture(const QString& file)
{
    const int position = currentPosition();
    if (position < 0)
        return;
    const PictureConverter::Result converted = PictureConverter::storedPicture(file);
    if (!converted.stored) {
        EditorMessages::error(this, tr("This picture cannot be used: %1").arg(converted.error));
        return;
    }
    document_.setPicture(position, PictureValue::fromBytes(*converted.stored));
}

void EditorWindow::refreshProblems()
{
    problems_ = DocumentProblems::check(document_, &QuestionPreview::fitsTextBox);
    problemList_->clear();
    const QIcon error = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (const QString& text : files_->sourceErrors())
        new QListWidgetItem(error, tr("When the source was read: %1").arg(text), problemList_);
    for (const QString& text : files_->sourceWarnings())
        new QListWidgetItem(warning, tr("When the source was read: %1").arg(text), problemList_);
    for (const DocumentProblem& problem : problems_.all()) {
        auto* item = new QListWidgetItem(problem.severity == DocumentProblem::Severity::Error ? error : warning,
                                         problem.text, problemList_);
        item->setData(problemRole, problem.question);
    }
    if (problemList_->count() == 0)
        new QListWidgetItem(style()->standardIcon(QStyle::SP_DialogApplyButton),
                            tr("No problems found: the trainer can use this bank as it is."), problemList_);
    model_->setProblemQuestions(problems_.questions());
    updateStatus();
}

void EditorWindow::updateStatus()
{
    counts_->setText(tr("%1 questions, %2 shown · %3 errors · %4 warnings")
                         .arg(document_.questions().size())
                         .arg(model_->rowCount())
                         .arg(problems_.errorCount())
                         .arg(problems_.warningCount()));
}
