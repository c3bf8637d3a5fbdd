#include "editor/window/FileActions.h"

#include "editor/document/BankDocument.h"
#include "editor/document/DocumentFiles.h"
#include "editor/window/EditorMessages.h"
#include "editor/window/TrainerLook.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>

namespace {

const QString recentKey = QStringLiteral("recentFiles");
constexpr int recentCount = 8;

} // namespace

FileActions::FileActions(BankDocument& document, QMainWindow& window)
    : QObject(&window)
    , document_(document)
    , window_(window)
{
    connect(document_.undoStack(), &QUndoStack::cleanChanged, this, &FileActions::updateTitle);
}

void FileActions::setRecentMenu(QMenu* menu)
{
    recentMenu_ = menu;
    updateRecentMenu();
}

QString FileActions::choose(Choice choice)
{
    if (chooser_)
        return chooser_(choice);
    const QString folder = path_.isEmpty() ? QDir::homePath() : QFileInfo(path_).absolutePath();
    switch (choice) {
    case Choice::Open:
        return QFileDialog::getOpenFileName(
            &window_, tr("Open a question bank"), folder,
            DocumentFiles::readsJetBanks()
                ? tr("Question banks and sources (*.db *.json *.xlsx *.xls *.ods *.csv *.txt *.tsv *.mdb);;"
                     "Question banks (*.db);;All files (*)")
                : tr("Question banks and sources (*.db *.json *.xlsx *.xls *.ods *.csv *.txt *.tsv);;"
                     "Question banks (*.db);;All files (*)"));
    case Choice::SaveBank:
        return QFileDialog::getSaveFileName(&window_, tr("Save the question bank"),
                                            QDir(folder).filePath(QStringLiteral("velmora.db")),
                                            tr("Question banks (*.db)"));
    case Choice::ExportFolder:
        return QFileDialog::getExistingDirectory(&window_, tr("Export into folder"), folder);
    case Choice::Picture: {
        // SVG is read by the bank tool itself, where the build can
        // (DocumentFiles::readsSvgPictures), whatever Qt's readers say.
        QStringList patterns;
        for (const QByteArray& format : QImageReader::supportedImageFormats())
            if (!format.startsWith("svg"))
                patterns.append(QStringLiteral("*.") + QString::fromLatin1(format));
        if (DocumentFiles::readsSvgPictures())
            patterns.append(QStringLiteral("*.svg"));
        return QFileDialog::getOpenFileName(&window_, tr("Choose a picture"), folder,
                                            tr("Pictures (%1);;All files (*)").arg(patterns.join(QLatin1Char(' '))));
    }
    }
    return {};
}

void FileActions::newBank()
{
    const DocumentFiles::Opened opened = DocumentFiles::newBank();
    forgetSource();
    load(QString(), opened);
}

void FileActions::openChosen()
{
    if (!maybeKeepChanges())
        return;
    const QString path = choose(Choice::Open);
    if (!path.isEmpty())
        openFile(path);
}

bool FileActions::openFile(const QString& path)
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const DocumentFiles::Opened opened = DocumentFiles::open(path, jetReader_);
    QGuiApplication::restoreOverrideCursor();
    if (!opened.ok) {
        EditorMessages::error(&window_, tr("%1 could not be opened.\n\n%2").arg(QFileInfo(path).fileName(), opened.error),
                              opened.errors.join(QLatin1Char('\n')));
        return false;
    }
    sourceName_ = opened.isBank ? QString() : QFileInfo(path).fileName();
    leftOut_ = opened.leftOut;
    sourceErrors_ = opened.errors;
    sourceWarnings_ = opened.isBank ? QStringList() : opened.warnings;
    load(opened.isBank ? QFileInfo(path).absoluteFilePath() : QString(), opened);
    addRecent(QFileInfo(path).absoluteFilePath());
    if (!opened.errors.isEmpty())
        EditorMessages::error(&window_,
                              tr("%1 has %n error(s): the rows they are in could not be read as they are. Correct "
                                 "the source and open it again, or add what is missing here.",
                                 nullptr, int(opened.errors.size()))
                                  .arg(QFileInfo(path).fileName()),
                              (opened.errors + opened.warnings).join(QLatin1Char('\n')));
    else if (!opened.warnings.isEmpty())
        window_.statusBar()->showMessage(opened.warnings.join(QStringLiteral("; ")), 15000);
    return true;
}

void FileActions::load(const QString& path, const DocumentFiles::Opened& opened)
{
    path_ = path;
    isBank_ = opened.isBank;
    identity_ = opened.identity;
    storedPictures_ = opened.storedPictures;
    document_.load(opened.content, opened.pictures);
    emit loaded();
    updateTitle();
}

bool FileActions::save()
{
    emit aboutToUseDocument();
    if (!isBank_ || path_.isEmpty())
        return saveAs();
    if (!leftOut_.isEmpty()
        && !EditorMessages::confirm(&window_,
                                    tr("%1 holds more than a question bank needs (see the details). Saving over it "
                                       "leaves that out; save as a new bank to keep the old file whole.")
                                        .arg(QFileInfo(path_).fileName()),
                                    tr("Save without it"), leftOut_.join(QLatin1Char('\n'))))
        return false;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const DocumentFiles::Saved saved = DocumentFiles::saveOver(document_, path_, identity_, storedPictures_.get());
    QGuiApplication::restoreOverrideCursor();
    switch (saved.outcome) {
    case DocumentFiles::Saved::Outcome::Saved:
        identity_ = saved.identity;
        leftOut_.clear();
        document_.undoStack()->setClean();
        showStatus(tr("Saved %1").arg(QDir::toNativeSeparators(path_)));
        return true;
    case DocumentFiles::Saved::Outcome::Conflict:
        return handleConflict(saved.message);
    case DocumentFiles::Saved::Outcome::Failed:
        break;
    }
    EditorMessages::error(&window_, tr("The bank was not saved; the file is as it was.\n\n%1").arg(saved.message));
    return false;
}

// The bank on disk is no longer the one that was read. Nothing has been
// written; the user chooses between keeping both (save as), replacing the
// other program's bank with this one, and going back.
bool FileActions::handleConflict(const QString& message)
{
    QMessageBox box(QMessageBox::Warning, TrainerLook::messageCaption(),
                    tr("%1.\n\nSaving now would overwrite those changes. Save your bank under another name to keep "
                       "both, or replace the other version with yours.")
                        .arg(message),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, &window_);
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

bool FileActions::saveAs()
{
    emit aboutToUseDocument();
    const QString path = choose(Choice::SaveBank);
    if (path.isEmpty())
        return false;
    if (isBank_ && QFileInfo(path).absoluteFilePath() == path_)
        return save();
    // The file dialog has asked before a file is replaced.
    return saveTo(QFileInfo(path).absoluteFilePath(), true);
}

bool FileActions::saveTo(const QString& path, bool replace)
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const DocumentFiles::Saved saved = DocumentFiles::saveAs(document_, path, replace, storedPictures_.get());
    QGuiApplication::restoreOverrideCursor();
    if (saved.outcome != DocumentFiles::Saved::Outcome::Saved) {
        EditorMessages::error(&window_, tr("The bank was not saved.\n\n%1").arg(saved.message));
        return false;
    }
    path_ = path;
    forgetSource();
    emit sourceProblemsChanged();
    isBank_ = true;
    identity_ = saved.identity;
    document_.undoStack()->setClean();
    addRecent(path);
    updateTitle();
    showStatus(tr("Saved %1").arg(QDir::toNativeSeparators(path)));
    return true;
}

void FileActions::exportAs(ExportCommand::Format format)
{
    emit aboutToUseDocument();
    const QString folder = choose(Choice::ExportFolder);
    if (folder.isEmpty())
        return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const CommandResult result = DocumentFiles::exportTo(document_, folder, format);
    QGuiApplication::restoreOverrideCursor();
    if (result.exitCode != ExitCode::ok)
        EditorMessages::error(&window_, tr("Nothing was exported."), result.messages.join(QLatin1Char('\n')));
    else
        EditorMessages::information(&window_, tr("Exported: %1").arg(result.report.trimmed()),
                                    result.messages.join(QLatin1Char('\n')));
}

bool FileActions::maybeKeepChanges()
{
    emit aboutToUseDocument();
    if (document_.undoStack()->isClean())
        return true;
    QMessageBox box(QMessageBox::Question, TrainerLook::messageCaption(),
                    tr("The bank has changes that are not saved. Save them?"),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, &window_);
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

QStringList FileActions::recentFiles() const
{
    return QSettings().value(recentKey).toStringList();
}

void FileActions::addRecent(const QString& path)
{
    QStringList files = recentFiles();
    files.removeAll(path);
    files.prepend(path);
    QSettings().setValue(recentKey, QStringList(files.mid(0, recentCount)));
    updateRecentMenu();
}

void FileActions::updateRecentMenu()
{
    if (!recentMenu_)
        return;
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

void FileActions::updateTitle()
{
    const QString name = !path_.isEmpty()        ? QFileInfo(path_).fileName()
                         : !sourceName_.isEmpty() ? tr("%1 (not yet saved as a bank)").arg(sourceName_)
                                                  : tr("Untitled bank");
    window_.setWindowTitle(tr("%1[*] — Question bank editor").arg(name));
    window_.setWindowModified(!document_.undoStack()->isClean());
}

void FileActions::forgetSource()
{
    sourceName_.clear();
    leftOut_.clear();
    sourceErrors_.clear();
    sourceWarnings_.clear();
}

void FileActions::showStatus(const QString& text)
{
    window_.statusBar()->showMessage(text, 5000);
}
