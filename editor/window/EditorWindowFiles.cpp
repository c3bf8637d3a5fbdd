// The editor window's file handling: new, open, save, save as, export,
// recent files, the title and the question on closing.
#include "editor/window/EditorWindow.h"

#include "editor/document/DocumentFiles.h"
#include "editor/window/EditorMessages.h"
#include "editor/window/MaterialsPanel.h"
#include "editor/window/TrainerLook.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>

namespace {

const QString recentKey = QStringLiteral("recentFiles");
constexpr int recentCount = 8;

} // namespace

QString EditorWindow::choose(Choice choice)
{
    if (chooser_)
        return chooser_(choice);
    const QString folder = path_.isEmpty() ? QDir::homePath() : QFileInfo(path_).absolutePath();
    switch (choice) {
    case Choice::Open:
        return QFileDialog::getOpenFileName(
            this, tr("Open a question bank"), folder,
            tr("Question banks and sources (*.db *.json *.xlsx *.csv *.txt *.tsv *.mdb);;Question banks (*.db);;"
               "All files (*)"));
    case Choice::SaveBank:
        return QFileDialog::getSaveFileName(this, tr("Save the question bank"),
                                            QDir(folder).filePath(QStringLiteral("velmora.db")),
                                            tr("Question banks (*.db)"));
    case Choice::ExportFolder:
        return QFileDialog::getExistingDirectory(this, tr("Export into folder"), folder);
    case Choice::Picture: {
        QStringList patterns;
        for (const QByteArray& format : QImageReader::supportedImageFormats())
            patterns.append(QStringLiteral("*.") + QString::fromLatin1(format));
        return QFileDialog::getOpenFileName(this, tr("Choose a picture"), folder,
                                            tr("Pictures (%1);;All files (*)").arg(patterns.join(QLatin1Char(' '))));
    }
    }
    return {};
}

void EditorWindow::newBank()
{
    const DocumentFiles::Opened opened = DocumentFiles::newBank();
    sourceName_.clear();
    leftOut_.clear();
    sourceErrors_.clear();
    sourceWarnings_.clear();
    load(QString(), opened.content, opened.pictures, false, {});
}

void EditorWindow::openChosen()
{
    if (!maybeKeepChanges())
        return;
    const QString path = choose(Choice::Open);
    if (!path.isEmpty())
        openFile(path);
}

bool EditorWindow::openFile(const QString& path)
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const DocumentFiles::Opened opened = DocumentFiles::open(path, jetReader_);
    QGuiApplication::restoreOverrideCursor();
    if (!opened.ok) {
        EditorMessages::error(this, tr("%1 could not be opened.\n\n%2").arg(QFileInfo(path).fileName(), opened.error),
                              opened.errors.join(QLatin1Char('\n')));
        return false;
    }
    sourceName_ = opened.isBank ? QString() : QFileInfo(path).fileName();
    load(opened.isBank ? QFileInfo(path).absoluteFilePath() : QString(), opened.content, opened.pictures,
         opened.isBank, opened.identity);
    leftOut_ = opened.leftOut;
    sourceErrors_ = opened.errors;
    sourceWarnings_ = opened.isBank ? QStringList() : opened.warnings;
    refreshProblems();
    addRecent(QFileInfo(path).absoluteFilePath());
    if (!opened.errors.isEmpty())
        EditorMessages::error(this,
                              tr("%1 has %n error(s): the rows they are in could not be read as they are. Correct "
                                 "the source and open it again, or add what is missing here.",
                                 nullptr, int(opened.errors.size()))
                                  .arg(QFileInfo(path).fileName()),
                              (opened.errors + opened.warnings).join(QLatin1Char('\n')));
    else if (!opened.warnings.isEmpty())
        statusBar()->showMessage(opened.warnings.join(QStringLiteral("; ")), 15000);
    return true;
}

void EditorWindow::load(const QString& path, const BankContent& content, const QList<PictureValue>& pictures,
                        bool isBank, const FileIdentity& identity)
{
    path_ = path;
    isBank_ = isBank;
    identity_ = identity;
    document_.load(content, pictures);
    applyFilter();
    selectQuestion(0);
    refreshProblems();
    updateTitle();
}

bool EditorWindow::save()
{
    materials_->commit();
    if (!isBank_ || path_.isEmpty())
        return saveAs();
    if (!leftOut_.isEmpty()
        && !EditorMessages::confirm(this,
                                    tr("%1 holds more than a question bank needs (see the details). Saving over it "
                                       "leaves that out; save as a new bank to keep the old file whole.")
                                        .arg(QFileInfo(path_).fileName()),
                                    tr("Save without it"), leftOut_.join(QLatin1Char('\n'))))
        return false;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const DocumentFiles::Saved saved = DocumentFiles::saveOver(document_, path_, identity_);
    QGuiApplication::restoreOverrideCursor();
    switch (saved.outcome) {
    case DocumentFiles::Saved::Outcome::Saved:
        identity_ = saved.identity;
        leftOut_.clear();
        document_.undoStack()->setClean();
        statusBar()->showMessage(tr("Saved %1").arg(QDir::toNativeSeparators(path_)), 5000);
        return true;
    case DocumentFiles::Saved::Outcome::Conflict:
        return handleConflict(saved.message);
    case DocumentFiles::Saved::Outcome::Failed:
        break;
    }
    EditorMessages::error(this, tr("The bank was not saved; the file is as it was.\n\n%1").arg(saved.message));
    return false;
}

// The bank on disk is no longer the one that was read. Nothing has been
// written; the user chooses between keeping both (save as), replacing the
// other program's bank with this one, and going back.
bool EditorWindow::handleConflict(const QString& message)
{
    QMessageBox box(QMessageBox::Warning, TrainerLook::messageCaption(),
                    tr("%1.\n\nSaving now would overwrite those changes. Save your bank under another name to keep "
                       "both, or replace the other version with yours.")
                        .arg(message),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setObjectName(QStringLiteral("conflictBox"));
    box.button(QMessageBox::Save)->setText(tr("Save as…"));
    box.button(QMessageBox::Discard)->setText(tr("Replace the other version"));
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        return saveAs();
    case QMessageBox::Discard:
        return saveTo(path_, true);
    default:
        return false;
    }
}

bool EditorWindow::saveAs()
{
    materials_->commit();
    const QString path = choose(Choice::SaveBank);
    if (path.isEmpty())
        return false;
    if (isBank_ && QFileInfo(path).absoluteFilePath() == path_) {
        return save();
    }
    // The file dialog has asked before a file is replaced.
    return saveTo(QFileInfo(path).absoluteFilePath(), true);
}

bool EditorWindow::saveTo(const QString& path, bool replace)
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const DocumentFiles::Saved saved = DocumentFiles::saveAs(document_, path, replace);
    QGuiApplication::restoreOverrideCursor();
    if (saved.outcome != DocumentFiles::Saved::Outcome::Saved) {
        EditorMessages::error(this, tr("The bank was not saved.\n\n%1").arg(saved.message));
        return false;
    }
    path_ = path;
    sourceName_.clear();
    leftOut_.clear();
    sourceErrors_.clear();
    sourceWarnings_.clear();
    refreshProblems();
    isBank_ = true;
    identity_ = saved.identity;
    document_.undoStack()->setClean();
    addRecent(path);
    updateTitle();
    statusBar()->showMessage(tr("Saved %1").arg(QDir::toNativeSeparators(path)), 5000);
    return true;
}

void EditorWindow::exportAs(ExportCommand::Format format)
{
    materials_->commit();
    const QString folder = choose(Choice::ExportFolder);
    if (folder.isEmpty())
        return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const CommandResult result = DocumentFiles::exportTo(document_, folder, format);
    QGuiApplication::restoreOverrideCursor();
    if (result.exitCode != ExitCode::ok)
        EditorMessages::error(this, tr("Nothing was exported."), result.messages.join(QLatin1Char('\n')));
    else
        EditorMessages::information(this, tr("Exported: %1").arg(result.report.trimmed()),
                                    result.messages.join(QLatin1Char('\n')));
}

bool EditorWindow::maybeKeepChanges()
{
    materials_->commit();
    if (document_.undoStack()->isClean())
        return true;
    QMessageBox box(QMessageBox::Question, TrainerLook::messageCaption(),
                    tr("The bank has changes that are not saved. Save them?"),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setObjectName(QStringLiteral("unsavedBox"));
    box.button(QMessageBox::Save)->setText(tr("Save"));
    box.button(QMessageBox::Discard)->setText(tr("Don't save"));
    box.button(QMessageBox::Cancel)->setText(tr("Cancel"));
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        return save();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void EditorWindow::closeEvent(QCloseEvent* event)
{
    if (maybeKeepChanges())
        event->accept();
    else
        event->ignore();
}

QStringList EditorWindow::recentFiles() const
{
    return QSettings().value(recentKey).toStringList();
}

void EditorWindow::addRecent(const QString& path)
{
    QStringList files = recentFiles();
    files.removeAll(path);
    files.prepend(path);
    QSettings().setValue(recentKey, QStringList(files.mid(0, recentCount)));
    updateRecentMenu();
}

void EditorWindow::updateRecentMenu()
{
    recentMenu_->clear();
    const QStringList files = recentFiles();
    for (const QString& file : files) {
        QAction* action = recentMenu_->addAction(QDir::toNativeSeparators(file));
        connect(action, &QAction::triggered, this, [this, file] {
            if (maybeKeepChanges())
                openFile(file);
        });
    }
    recentMenu_->setEnabled(!files.isEmpty());
}

void EditorWindow::updateTitle()
{
    const QString name = !path_.isEmpty()        ? QFileInfo(path_).fileName()
                         : !sourceName_.isEmpty() ? tr("%1 (not yet saved as a bank)").arg(sourceName_)
                                                  : tr("Untitled bank");
    setWindowTitle(tr("%1[*] — Question bank editor").arg(name));
    setWindowModified(!document_.undoStack()->isClean());
}
