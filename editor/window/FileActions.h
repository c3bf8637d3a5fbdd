#pragma once

#include "editor/document/DocumentFiles.h"

#include "tools/commands/ExportCommand.h"

#include "store/FileIdentity.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class BankDocument;
class QMainWindow;
class QMenu;

// The editor's file handling: new, open, save, save as, export, the recent
// files, the question on closing, and the window's title. It reads and
// writes through DocumentFiles and asks and tells through the window's
// message boxes, title and status bar; what the rest of the window does
// about a file it learns from the signals, so this never calls back into
// the window's own code.
class FileActions : public QObject
{
    Q_OBJECT

public:
    FileActions(BankDocument& document, QMainWindow& window);

    // What a file dialog would ask; tests answer it without a dialog.
    enum class Choice { Open, SaveBank, ExportFolder, Picture };
    using FileChooser = std::function<QString(Choice)>;
    void setFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }
    QString choose(Choice choice);

    // The bank tool's program, which reads Jet banks in a child process.
    void setJetReader(const QString& program) { jetReader_ = program; }

    // The menu that lists the recent files; kept up to date from here on.
    void setRecentMenu(QMenu* menu);

    void newBank();
    void openChosen();
    // Opens `path`; false when it was not opened. (Ask maybeKeepChanges()
    // first.)
    bool openFile(const QString& path);
    bool save();
    bool saveAs();
    void exportAs(ExportCommand::Format format);
    // Asks about unsaved changes; true when the document may be replaced.
    bool maybeKeepChanges();

    const QString& filePath() const { return path_; }
    QStringList recentFiles() const;
    // What the bank tool's reader found in the source that was opened, until
    // it is saved as a bank.
    const QStringList& sourceErrors() const { return sourceErrors_; }
    const QStringList& sourceWarnings() const { return sourceWarnings_; }

signals:
    // Before the document is written or replaced: edits still being typed
    // become steps of their own.
    void aboutToUseDocument();
    // The document holds another bank or source.
    void loaded();
    // The source's own problems changed (a source was saved as a bank).
    void sourceProblemsChanged();

private:
    void load(const QString& path, const DocumentFiles::Opened& opened);
    bool saveTo(const QString& path, bool replace);
    bool handleConflict(const QString& message);
    void forgetSource();
    void addRecent(const QString& path);
    void updateRecentMenu();
    void updateTitle();
    void showStatus(const QString& text);

    BankDocument& document_;
    QMainWindow& window_;
    QMenu* recentMenu_ = nullptr;
    QString path_;       // the bank being edited; empty until saved as one
    QString sourceName_; // the source it was read from, when not a bank
    bool isBank_ = false;
    FileIdentity identity_;
    std::shared_ptr<StoredPictures> storedPictures_; // the opened bank's, given to a save that replaces it
    QStringList leftOut_; // what the opened bank holds that a save leaves out
    QStringList sourceErrors_;
    QStringList sourceWarnings_;
    QString jetReader_;
    FileChooser chooser_;
};
