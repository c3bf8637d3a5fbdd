#include "editor/document/DocumentFiles.h"

#include "editor/document/StoredPictures.h"

#include "tools/bankfile/SqliteBankWriter.h"
#include "tools/bankfile/NewBankFile.h"
#include "tools/bankfile/StoredBankReader.h"
#include "tools/commands/ImportCommand.h"
#include "tools/formats/jet/JetReader.h"
#include "tools/pictures/SvgPicture.h"
#include "tools/formats/json/JsonBankReader.h"
#include "tools/formats/sheet/Sheet.h"
#include "tools/formats/sheet/SheetBankReader.h"

#include "store/RegularFile.h"
#include "store/StoreError.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(DocumentFiles)
};

QStringList texts(const QList<SourceProblem>& problems)
{
    QStringList list;
    for (const SourceProblem& problem : problems)
        list.append(problem.toString());
    return list;
}

DocumentFiles::Opened failed(const QString& error)
{
    DocumentFiles::Opened opened;
    opened.error = error;
    return opened;
}

// The schema entries of `bank` that a new bank does not have: tables,
// views, indexes and triggers beyond the tool's own.
QStringList otherEntries(Database& bank)
{
    const QStringList own{QStringLiteral("classes"), QStringLiteral("subjects"), QStringLiteral("ziliao"),
                          QStringLiteral("subjectsbyclass"), QStringLiteral("subjectsbypassonly")};
    QStringList entries;
    Database::Rows rows(bank, QStringLiteral("select type, name from sqlite_master where name not like "
                                                 "'sqlite\\_%' escape '\\' order by type, name"));
    while (rows.next()) {
        const QString type = QString::fromUtf8(rows.row().columnText(0));
        const QString name = QString::fromUtf8(rows.row().columnText(1));
        if (!own.contains(name.toLower()))
            entries.append(Text::tr("%1 %2 is not kept").arg(type, name));
    }
    return entries;
}

DocumentFiles::Opened openBank(const QString& path)
{
    DocumentFiles::Opened opened;
    opened.identity = FileIdentity::of(path);
    try {
        auto pictures = std::make_shared<StoredPictures>(path);
        Database bank(path, Database::Mode::Unchanged);
        StoredBankReader::Result read = StoredBankReader::read(bank);
        if (!read.errors.isEmpty()) {
            // Editing would change these values without being asked to.
            opened.error = Text::tr("%1 holds values the editor cannot keep as they are; export it as JSON with "
                                    "the bank tool and open that instead")
                               .arg(QFileInfo(path).fileName());
            opened.errors = read.errors;
            return opened;
        }
        opened.warnings = read.warnings;
        opened.leftOut = read.warnings + otherEntries(bank);
        for (qsizetype i = 0; i < read.content.questions.size(); ++i)
            opened.pictures.append(read.content.questions[i].picture
                                       ? PictureValue::stored(pictures, read.rowids[i])
                                       : PictureValue::none());
        opened.content = std::move(read.content);
        opened.storedPictures = std::move(pictures);
    } catch (const StoreError& error) {
        opened.error = error.text();
        return opened;
    }
    opened.ok = true;
    opened.isBank = true;
    return opened;
}

DocumentFiles::Opened openSource(BankSource source)
{
    DocumentFiles::Opened opened;
    opened.errors = texts(source.problems.errors());
    opened.warnings = texts(source.problems.warnings());
    opened.notes = source.notes;
    for (const BankQuestion& question : source.content.questions)
        opened.pictures.append(question.pictureFile.isEmpty() ? PictureValue::none()
                                                              : PictureValue::fromFile(question.pictureFile));
    opened.content = std::move(source.content);
    opened.ok = true;
    return opened;
}

// A Jet bank is imported by the tool (in its child process) into a bank in
// a temporary folder, which is then read like any bank; saving asks where.
DocumentFiles::Opened openJet(const QString& path, const QString& jetReader)
{
    QTemporaryDir folder;
    if (!folder.isValid())
        return failed(Text::tr("no temporary folder for reading %1: %2").arg(path, folder.errorString()));
    ImportCommand::Options options;
    options.source = path;
    options.output = folder.filePath(QStringLiteral("imported.db"));
    options.readerProgram = jetReader;
    CommandResult imported;
    try {
        imported = ImportCommand::run(options);
    } catch (const ToolError& error) {
        return failed(error.text());
    }
    DocumentFiles::Opened opened = openBank(options.output);
    opened.isBank = false;
    opened.identity = {};
    opened.leftOut.clear(); // saved as a new bank, never over the import
    opened.warnings += imported.messages;
    return opened;
}

QByteArray firstBytes(const QString& path, int count)
{
    QFile file(path);
    if (!RegularFile::isRegular(path) || !file.open(QIODevice::ReadOnly))
        return {};
    return file.read(count);
}

// Writes the document into the new bank's temporary file, each picture
// read or converted as its row is written; false with the reason.
bool writeInto(const BankDocument& document, NewBankFile& bank, const QString& path, QString& message)
{
    if (!bank.create()) {
        message = Text::tr("%1: cannot write in this folder: %2").arg(path, bank.errorString());
        return false;
    }
    const QList<DocumentQuestion>& questions = document.questions();
    QString pictureError;
    try {
        SqliteBankWriter::write(document.content(), bank.temporaryPath(), [&](const BankQuestion& row) {
            QString error;
            const auto value = questions[row.sourceLine - 1].picture.storedValue(error);
            if (!error.isEmpty() && pictureError.isEmpty())
                pictureError = Text::tr("question %1: %2").arg(row.no).arg(error);
            return value;
        });
    } catch (const StoreError& error) {
        message = Text::tr("%1: %2; nothing was saved").arg(path, error.text());
        return false;
    }
    if (!pictureError.isEmpty()) {
        message = Text::tr("%1; nothing was saved").arg(pictureError);
        return false;
    }
    return true;
}

// Puts the new bank in place of `path`, the pictures read from there moved
// to a private copy first; false with the reason.
bool putInPlace(NewBankFile& bank, const QString& path, bool replace, StoredPictures* pictures, QString& message)
{
    if (replace && pictures && pictures->readsFrom(path)) {
        try {
            pictures->moveToPrivateCopy();
        } catch (const StoreError& error) {
            message = Text::tr("%1: %2; nothing was saved").arg(path, error.text());
            return false;
        }
    }
    if (!bank.putInPlace(replace)) {
        message = Text::tr("%1 cannot be put in place: %2").arg(path, bank.errorString());
        return false;
    }
    return true;
}

} // namespace

namespace DocumentFiles {

Kind kindOf(const QString& path)
{
    const QByteArray head = firstBytes(path, 32);
    if (head.startsWith(QByteArrayLiteral("SQLite format 3")))
        return Kind::Bank;
    if (head.mid(4).startsWith(QByteArrayLiteral("Standard Jet DB")))
        return Kind::Jet;
    if (QFileInfo(path).suffix().compare(QLatin1String("json"), Qt::CaseInsensitive) == 0)
        return Kind::Json;
    // Anything else goes to the sheet readers, which tell a workbook (xlsx,
    // xls, ods) or a text by its content and say what else it is, as build does.
    return Kind::Sheet;
}

Opened open(const QString& path, const QString& jetReader)
{
    if (!QFileInfo::exists(path))
        return failed(Text::tr("%1 does not exist").arg(path));
    if (!RegularFile::isRegular(path))
        return failed(Text::tr("%1 is not a file").arg(path));
    switch (kindOf(path)) {
    case Kind::Bank:
        return openBank(path);
    case Kind::Jet:
        return openJet(path, jetReader);
    case Kind::Json:
        return openSource(JsonBankReader::read(path));
    case Kind::Sheet:
        break;
    }
    return openSource(SheetBankReader::read(path));
}

bool readsJetBanks()
{
    return JetReader::available();
}

bool readsSvgPictures()
{
    return SvgPicture::readable();
}

Opened newBank()
{
    Opened opened;
    opened.ok = true;
    opened.content.categories = {{100, Text::tr("Chapter 1"), 0}, {101, Text::tr("Section 1"), 0}};
    return opened;
}

Saved saveAs(const BankDocument& document, const QString& path, bool replace, StoredPictures* pictures)
{
    Saved saved;
    NewBankFile bank(path);
    if (!writeInto(document, bank, path, saved.message) || !putInPlace(bank, path, replace, pictures, saved.message))
        return saved;
    saved.outcome = Saved::Outcome::Saved;
    saved.identity = FileIdentity::of(path);
    return saved;
}

Saved saveOver(const BankDocument& document, const QString& path, const FileIdentity& read, StoredPictures* pictures)
{
    const auto conflict = [&]() -> std::optional<Saved> {
        const FileIdentity now = FileIdentity::of(path);
        Saved saved;
        saved.outcome = Saved::Outcome::Conflict;
        if (!now.exists)
            saved.message = Text::tr("%1 is no longer there: another program moved or deleted it").arg(path);
        else if (now != read)
            saved.message = Text::tr("%1 was changed or replaced by another program since it was opened").arg(path);
        else if (FileIdentity::hasPendingWrites(path))
            saved.message = Text::tr("another program is writing %1 (or stopped half-way through a write)")
                                .arg(path);
        else
            return std::nullopt;
        return saved;
    };
    if (auto found = conflict())
        return *found;
    // The new bank is written whole first; then the same check once more,
    // so that a change made meanwhile is not lost either.
    Saved saved;
    NewBankFile bank(path);
    if (!writeInto(document, bank, path, saved.message))
        return saved;
    if (auto found = conflict())
        return *found;
    if (!putInPlace(bank, path, true, pictures, saved.message))
        return saved;
    saved.outcome = Saved::Outcome::Saved;
    saved.identity = FileIdentity::of(path);
    return saved;
}

CommandResult exportTo(const BankDocument& document, const QString& folder, ExportCommand::Format format)
{
    CommandResult result;
    QTemporaryDir temporary;
    if (!temporary.isValid()) {
        result.exitCode = ExitCode::faults;
        result.error(Text::tr("no temporary folder: %1").arg(temporary.errorString()));
        return result;
    }
    const QString bank = temporary.filePath(QStringLiteral("export.db"));
    const Saved saved = saveAs(document, bank, false);
    if (saved.outcome != Saved::Outcome::Saved) {
        result.exitCode = ExitCode::faults;
        result.error(saved.message);
        return result;
    }
    ExportCommand::Options options;
    options.bank = bank;
    options.outDir = folder;
    options.format = format;
    try {
        return ExportCommand::run(options);
    } catch (const ToolError& error) {
        result.exitCode = error.exitCode();
        result.messages = error.lines();
        return result;
    }
}

} // namespace DocumentFiles
