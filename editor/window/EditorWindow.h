#pragma once

#include "editor/document/BankDocument.h"
#include "editor/document/DocumentProblems.h"
#include "editor/document/FileIdentity.h"

#include "tools/commands/ExportCommand.h"

#include <QMainWindow>

#include <functional>

class CategoryPanel;
class MaterialsPanel;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QTableView;
class QTabWidget;
class QTimer;
class QuestionEditor;
class QuestionListModel;
class QuestionPreview;

// The question-bank editor's window: menus and shortcuts, the question list
// with its filters and search, the category tree and the reference texts in
// tabs, one question's fields beside the preview of how the trainer shows
// it, and the problems below. Its handlers call the document and the files'
// code (DocumentFiles) and show what came of it; they hold no rule of their
// own.
class EditorWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit EditorWindow(QWidget* parent = nullptr);
    ~EditorWindow() override;

    // What a file dialog would ask; tests answer it without a dialog.
    enum class Choice { Open, SaveBank, ExportFolder, Picture };
    using FileChooser = std::function<QString(Choice)>;
    void setFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }

    // The bank tool's program, which reads Jet banks in a child process.
    void setJetReader(const QString& program) { jetReader_ = program; }

    // Opens `path` (after asking about unsaved changes); false when it was
    // not opened.
    bool openFile(const QString& path);
    bool save();
    bool saveAs();

    BankDocument& document() { return document_; }
    const QString& filePath() const { return path_; }
    QStringList recentFiles() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createActions();
    void createMenus();
    QWidget* createQuestionTab();
    void createProblemsDock();

    void newBank();
    void openChosen();
    bool saveTo(const QString& path, bool replace);
    bool handleConflict(const QString& message);
    void exportAs(ExportCommand::Format format);
    bool maybeKeepChanges();
    void load(const QString& path, const BankContent& content, const QList<PictureValue>& pictures, bool isBank,
              const FileIdentity& identity);
    void addRecent(const QString& path);
    void updateRecentMenu();
    void updateTitle();

    void applyFilter();
    void rebuildCategoryFilter();
    void showCurrentQuestion();
    void selectQuestion(int position);
    int currentPosition() const;
    void questionEdited(int position, const BankQuestion& question, BankDocument::Field field);
    void addQuestion();
    void deleteQuestion();
    void choosePicture();
    void pastePicture();
    void putPicture(const QString& file);
    QImage pictureOf(int position) const;

    void refreshProblems();
    void updateStatus();
    QString choose(Choice choice);

    BankDocument document_;
    QString path_;       // the bank being edited; empty until saved as one
    QString sourceName_; // the source it was read from, when not a bank
    bool isBank_ = false;
    FileIdentity identity_;
    QStringList leftOut_; // what the opened bank holds that a save leaves out
    // What the bank tool's reader found in the source that was opened, shown
    // above the bank's own problems until the bank is saved.
    QStringList sourceErrors_;
    QStringList sourceWarnings_;
    QString jetReader_;
    FileChooser chooser_;
    DocumentProblems problems_;

    QuestionListModel* model_;
    QTableView* list_;
    QLineEdit* search_;
    QComboBox* filterCategory_;
    QComboBox* filterType_;
    QComboBox* filterMustAnswer_;
    QCheckBox* filterPicture_;
    QCheckBox* filterProblem_;
    QTabWidget* tabs_;
    CategoryPanel* categories_;
    MaterialsPanel* materials_;
    QuestionEditor* editor_;
    QuestionPreview* preview_;
    QListWidget* problemList_;
    QLabel* counts_;
    QTimer* problemTimer_;
    QTimer* filterTimer_;

    QAction* newAction_;
    QAction* openAction_;
    QAction* saveAction_;
    QAction* saveAsAction_;
    QAction* undoAction_;
    QAction* redoAction_;
    QAction* findAction_;
    QAction* addAction_;
    QAction* deleteAction_;
    QMenu* recentMenu_;
};
