#pragma once

#include "editor/document/BankDocument.h"
#include "editor/document/DocumentProblems.h"
#include "editor/window/FileActions.h"

#include <QMainWindow>

class CategoryPanel;
class MaterialsPanel;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QTableView;
class QTabWidget;
class QTimer;
class QuestionEditor;
class QuestionListModel;
class QuestionPreview;

// The question-bank editor's window: menus and shortcuts, the question list
// with its filters and search, the category tree and the reference texts in
// tabs, one question's fields beside the preview of how the trainer shows
// it, and the problems below. Its handlers call the document and the file
// handling (FileActions) and show what came of it; they hold no rule of
// their own.
class EditorWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit EditorWindow(QWidget* parent = nullptr);
    ~EditorWindow() override;

    // What a file dialog would ask; tests answer it without a dialog.
    using Choice = FileActions::Choice;
    void setFileChooser(FileActions::FileChooser chooser) { files_->setFileChooser(std::move(chooser)); }

    // The bank tool's program, which reads Jet banks in a child process.
    void setJetReader(const QString& program) { files_->setJetReader(program); }

    // Opens `path`; false when it was not opened.
    bool openFile(const QString& path) { return files_->openFile(path); }

    BankDocument& document() { return document_; }
    const QString& filePath() const { return files_->filePath(); }
    QStringList recentFiles() const { return files_->recentFiles(); }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createActions();
    void createMenus();
    QWidget* createQuestionTab();
    void createProblemsDock();

    void showLoaded();
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

    BankDocument document_;
    FileActions* files_;
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
};
