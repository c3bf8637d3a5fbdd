#include "tools/bankfile/SqliteBankWriter.h"

#include "tools/bankfile/OutputFiles.h"
#include "tools/console/ProgressBar.h"

#include "rules/BankColumns.h"
#include "rules/BankTables.h"
#include "store/Database.h"
#include "store/Database.h"
#include "store/RegularFile.h"
#include "store/Statement.h"
#include "store/StoreError.h"
#include "store/Transaction.h"
#include "store/WriteFailure.h"

#include <QCoreApplication>

#include <cerrno>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(SqliteBankWriter)
};

// Runs one row's insert: every bind and the write itself are checked (the
// store raises on each refusal), and the error names the row.
template <typename Bind>
void insertRow(Database& bank, qint64 maxValueBytes, Statement& insert, const QString& row, Bind&& bind)
{
    try {
        bind(insert);
        insert.execute();
    } catch (const StoreError& error) {
        if (WriteFailure::last(bank) == WriteFailure::Kind::ValueTooBig)
            throw StoreError(Text::tr("%1: a value is larger than %2, the most the tool writes into a bank")
                                 .arg(row, RegularFile::sizeText(maxValueBytes)));
        throw StoreError(Text::tr("%1: %2").arg(row, error.text()));
    }
}

// "insert into <table>(<columns>) values (?1, ?2, ...)": each column's value
// is bound at its place in `columns`, counted from 1.
QString insertInto(const QString& table, const QStringList& columns)
{
    QStringList parameters;
    for (qsizetype i = 1; i <= columns.size(); ++i)
        parameters.append(QStringLiteral("?%1").arg(i));
    return QStringLiteral("insert into %1(%2) values (%3)")
        .arg(table, BankTables::bracketed(columns), parameters.join(QStringLiteral(", ")));
}

// SQLite's words for a full disk or a failed write, said so that a teacher
// knows what to do. Called while the failed transaction is still open, as
// rolling it back resets the connection's error.
[[noreturn]] void raiseWriteError(Database& bank, const StoreError& error)
{
    const WriteFailure::Kind failure = WriteFailure::last(bank);
    if (failure == WriteFailure::Kind::DiskFull)
        throw StoreError(Text::tr("the bank cannot be written: %1").arg(OutputFiles::systemError(ENOSPC)));
    if (failure == WriteFailure::Kind::WriteRefused) {
        const int system = WriteFailure::lastSystemError(bank);
        throw StoreError(Text::tr("the bank cannot be written: %1 (%2)")
                             .arg(system != 0 ? OutputFiles::systemError(system)
                                              : Text::tr("the disk refused the write; it may be full, or the "
                                                         "file too large for it"),
                                  error.text()));
    }
    throw error;
}

} // namespace

namespace SqliteBankWriter {

void createTables(Database& bank)
{
    for (const QString& statement : BankTables::createStatements())
        bank.execute(statement);
}

qint64 maxValueBytes()
{
    return Database::Limits().maxRowBytes;
}

void write(const BankContent& content, const QString& path, const PictureOf& pictureOf, qint64 maxValue)
{
    Database bank(path, Database::Mode::NewFile);
    // No value is written that the tool would refuse to read back.
    WriteFailure::limitValueBytes(bank, maxValue);
    // The file is new and private until it is complete: a rollback journal
    // next to it would only be one more file to clean up after a failure.
    bank.execute(QStringLiteral("pragma journal_mode = memory"));
    Transaction transaction(bank);
    try {
        createTables(bank);

        ProgressBar progress(Text::tr("Writing"),
                             content.categories.size() + content.questions.size() + content.materials.size());

        Statement category(bank.handle(), insertInto(TableName::classes, {Column::no, Column::remark}));
        for (const BankCategory& row : content.categories) {
            insertRow(bank, maxValue, category, Text::tr("category %1").arg(row.no), [&row](Statement& insert) {
                insert.bindInt64(1, row.no);
                insert.bindText(2, row.title);
            });
            progress.advance();
        }

        Statement question(bank.handle(),
                           insertInto(TableName::subjects, {Column::no, Column::subject, Column::result, Column::classNo,
                                                            Column::passOnly, Column::fatherNo, Column::bmp}));
        for (const BankQuestion& row : content.questions) {
            insertRow(bank, maxValue, question, Text::tr("question %1").arg(row.no), [&](Statement& insert) {
                insert.bindInt64(1, row.no);
                insert.bindText(2, row.text);
                insert.bindInt64(3, row.answer);
                insert.bindInt64(4, row.type);
                insert.bindInt64(5, row.mustAnswer);
                insert.bindInt64(6, row.category);
                // An empty picture stays an empty value, not null, so that a bank
                // that had one builds back the same.
                insert.bindBytes(7, pictureOf(row));
            });
            progress.advance();
        }

        Statement material(bank.handle(), insertInto(TableName::materials, {Column::id, Column::title, Column::memo}));
        for (const BankMaterial& row : content.materials) {
            insertRow(bank, maxValue, material, Text::tr("material \"%1\"").arg(row.title), [&row](Statement& insert) {
                if (row.id)
                    insert.bindInt64(1, *row.id);
                insert.bindText(2, row.title);
                insert.bindText(3, row.text);
            });
            progress.advance();
        }

        transaction.commit();
    } catch (const StoreError& error) {
        raiseWriteError(bank, error);
    }
}

} // namespace SqliteBankWriter
