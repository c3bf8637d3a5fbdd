#pragma once

#include "editor/document/BankDocument.h"
#include "editor/document/StoredPictures.h"

#include "tools/commands/ExportCommand.h"

#include "store/FileIdentity.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <memory>

// Reading a bank or a source into a document, and writing the document out,
// through the bank tool's own readers and writers and with the rules that
// keep a user's data: a bank is written under a temporary name and renamed
// over the target only when whole (a crash leaves the old bank or the new
// one), and a bank is only saved over when it is still the very file that
// was read, unchanged since.
namespace DocumentFiles {

// What a path holds, by its first bytes or its name.
enum class Kind { Bank, Json, Sheet, Jet };
Kind kindOf(const QString& path);

struct Opened
{
    bool ok = false;
    QString error;          // why nothing could be opened
    QStringList errors;     // the source's problems, as the tool reports them
    QStringList warnings;
    QStringList notes;      // how a sheet was read
    BankContent content;
    QList<PictureValue> pictures;
    bool isBank = false;    // a bank file, which saving may write over
    // What the bank holds beyond the tables, columns and indexes the bank
    // tool writes (an imported old bank's extra columns or tables, a view):
    // a save leaves it out, so the user is asked before it is saved over.
    QStringList leftOut;
    FileIdentity identity;  // the bank as it was read
    // Where the pictures of a bank are read from, to be given to a save
    // that replaces it (see saveAs); none for a source.
    std::shared_ptr<StoredPictures> storedPictures;
};

// Reads `path`: a bank, or a source the tool reads (JSON, a sheet, a Jet
// bank through `jetReader`, the bank tool's program). A source with errors
// gives what could be read, with the errors listed.
Opened open(const QString& path, const QString& jetReader);

// Whether this build reads Jet banks (the bank tool's import); one without
// says so when asked to open one, and the open dialog does not offer them.
bool readsJetBanks();

// Whether this build reads SVG pictures (with Qt SVG); one without refuses
// them with a message, and the picture dialog does not offer them.
bool readsSvgPictures();

// A new, empty bank from the template: the tables only.
Opened newBank();

struct Saved
{
    enum class Outcome { Saved, Conflict, Failed };
    Outcome outcome = Outcome::Failed;
    QString message;       // why it failed, or what the conflict is
    FileIdentity identity; // the saved bank, to compare with at the next save
};

// Writes the document as a new bank at `path`; an existing file there is
// replaced (whole, in one step) only with `replace`. When that file is the
// bank the document's pictures are read from (`pictures`, from Opened),
// they move to a private copy first: no file may be held open that is
// replaced (Windows refuses), and undo may still need the old pictures.
Saved saveAs(const BankDocument& document, const QString& path, bool replace, StoredPictures* pictures = nullptr);

// Writes the document over the bank at `path` that was read with identity
// `read`: a Conflict, writing nothing, when the file was changed or replaced
// since, or another program is writing it. The check is made again just
// before the new bank takes the old one's place. `pictures` as for saveAs.
Saved saveOver(const BankDocument& document, const QString& path, const FileIdentity& read,
               StoredPictures* pictures = nullptr);

// Exports the document into `folder` with the bank tool's export (its
// writers, refusals and file rules), from a bank written to a temporary
// folder first. A refusal gives its exit code and messages, as the command
// line shows them.
CommandResult exportTo(const BankDocument& document, const QString& folder, ExportCommand::Format format);

} // namespace DocumentFiles
