#include "tools/commands/ExportCommand.h"

#include "tools/content/BankContent.h"
#include "tools/formats/json/JsonBankWriter.h"
#include "tools/ProgressBar.h"

#include "rules/BankColumns.h"
#include "rules/BankTables.h"
#include "tools/bankfile/BankToRead.h"
#include "tools/bankfile/NewExport.h"
#include "tools/bankfile/OutputFiles.h"
#include "tools/formats/sheet/SheetBankWriter.h"

#include "store/Database.h"
#include "store/StoreError.h"

#include <QCoreApplication>
#include <QSet>
#include <QStringDecoder>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(ExportCommand)
};

using BankTables::bracketed;

// Reads one table's rows, column by column by name, noting every value whose
// kind the JSON format cannot carry.
class RowReader
{
public:
    RowReader(Database& db, const BankTables::Table& table, QStringList& errors)
        : rows_(db, QStringLiteral("select %1 from %2 order by rowid")
                        .arg(bracketed(table.columns), bracketed({table.name})))
        , table_(table.name)
        , columns_(table.columns)
        , errors_(errors)
    {
    }

    bool next()
    {
        ++row_;
        return rows_.next();
    }

    qint64 integer(const QString& name)
    {
        const int column = indexOf(name);
        if (statement_.columnType(column) != Statement::ColumnType::Integer)
            unexported(column, Text::tr("is not an integer"));
        return statement_.columnInt64(column);
    }

    QString text(const QString& name)
    {
        const int column = indexOf(name);
        if (statement_.columnType(column) != Statement::ColumnType::Text) {
            unexported(column, Text::tr("is not text"));
            return QString::fromUtf8(statement_.columnText(column));
        }
        // Decoding would put U+FFFD in place of bytes that are not UTF-8:
        // such a text is refused, not changed.
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = decoder(statement_.columnText(column));
        if (decoder.hasError())
            unexported(column, Text::tr("is not valid UTF-8 text"));
        return text;
    }

    std::optional<QByteArray> bytes(const QString& name)
    {
        const int column = indexOf(name);
        switch (statement_.columnType(column)) {
        case Statement::ColumnType::Null:
            return std::nullopt;
        case Statement::ColumnType::Blob:
            return statement_.columnBlob(column).toByteArray();
        default:
            unexported(column, Text::tr("is not a picture (a byte value)"));
            return std::nullopt;
        }
    }

private:
    // The statement selects the table's columns in the order of its list.
    int indexOf(const QString& name) const { return int(columns_.indexOf(name)); }

    void unexported(int column, const QString& reason)
    {
        errors_.append(Text::tr("%1 row %2: %3 %4").arg(table_).arg(row_).arg(columns_[column], reason));
    }

    Database::Rows rows_;
    const Statement& statement_ = rows_.row();
    QString table_;
    QStringList columns_;
    QStringList& errors_;
    int row_ = 0;
};

// The material id is not read by the program but is kept, so that the rows
// build back with the same values.
BankTables::Table exportedMaterials()
{
    BankTables::Table table = BankTables::materials();
    table.columns.prepend(Column::id);
    return table;
}

QString pictureName(qint64 no)
{
    return QStringLiteral("pictures/%1.bmp").arg(no);
}

// Columns a bank may have beyond the ones the program reads are not part of
// the format; they are named so that nobody is surprised by their loss.
void warnAboutOtherColumns(Database& db, const BankTables::Table& table, QStringList& warnings)
{
    const Database::Rows rows(db, QStringLiteral("select * from %1 limit 0").arg(bracketed({table.name})));
    const Statement& statement = rows.row();
    for (int i = 0; i < statement.columnCount(); ++i)
        if (!table.columns.contains(statement.columnName(i), Qt::CaseInsensitive))
            warnings.append(
                Text::tr("column %1 of table %2 is not exported").arg(statement.columnName(i), table.name));
}

BankContent readBank(Database& db, QStringList& errors, QStringList& warnings)
{
    BankContent content;
    warnAboutOtherColumns(db, BankTables::classes(), warnings);
    warnAboutOtherColumns(db, BankTables::subjects(), warnings);
    warnAboutOtherColumns(db, exportedMaterials(), warnings);

    RowReader classes(db, BankTables::classes(), errors);
    while (classes.next())
        content.categories.append({classes.integer(Column::no), classes.text(Column::remark), 0});

    RowReader subjects(db, BankTables::subjects(), errors);
    QSet<qint64> numbers;
    while (subjects.next()) {
        BankQuestion question;
        question.no = subjects.integer(Column::no);
        question.text = subjects.text(Column::subject);
        question.answer = subjects.integer(Column::result);
        question.type = subjects.integer(Column::classNo);
        question.mustAnswer = subjects.integer(Column::passOnly);
        question.category = subjects.integer(Column::fatherNo);
        // Only whether there is a picture: the bytes go straight to their
        // files later, one at a time, so that a bank of large pictures is
        // never held in memory.
        question.picture = subjects.bytes(Column::bmp).has_value() ? std::optional(QByteArray()) : std::nullopt;
        question.pictureFile = pictureName(question.no);
        // Pictures are files named by question number.
        if (numbers.contains(question.no))
            errors.append(Text::tr("Subjects: question number %1 is used more than once").arg(question.no));
        numbers.insert(question.no);
        content.questions.append(std::move(question));
    }

    RowReader materials(db, exportedMaterials(), errors);
    while (materials.next()) {
        BankMaterial material;
        material.id = materials.integer(Column::id);
        material.title = materials.text(Column::title);
        material.text = materials.text(Column::memo);
        content.materials.append(std::move(material));
    }
    return content;
}

// Writes every stored picture to its file, reading one row at a time.
void writePictures(Database& db, const NewExport& out, int total, QString& error)
{
    ProgressBar progress(Text::tr("Pictures"), total);
    Database::Rows rows(db, QStringLiteral("select [%1], %2 from %3 where %2 is not null order by rowid")
                                    .arg(Column::no, Column::bmp, TableName::subjects));
    while (error.isEmpty() && rows.next()) {
        out.write(pictureName(rows.row().columnInt64(0)), rows.row().columnBlob(1).toByteArray(), error);
        progress.advance();
    }
}

} // namespace

namespace ExportCommand {

std::optional<Format> formatNamed(const QString& name)
{
    static const std::pair<QLatin1String, Format> formats[] = {
        {QLatin1String("json"), Format::Json},
        {QLatin1String("csv"), Format::Csv},
        {QLatin1String("xlsx"), Format::Xlsx},
    };
    for (const auto& [formatName, format] : formats)
        if (name.compare(formatName, Qt::CaseInsensitive) == 0)
            return format;
    return std::nullopt;
}

CommandResult run(const Options& options)
{
    CommandResult result;
    const auto failed = [&result](int exitCode, const QStringList& errors) {
        for (const QString& error : errors)
            result.error(error);
        return result.failure(exitCode);
    };
    NewExport out(options.outDir, options.force);
    try {
        const BankToRead file(options.bank);
        if (file.recovered())
            result.warning(file.recoveryNote(options.bank));
        Database db(file.path(), Database::Mode::Unchanged, options.limits);
        QStringList errors;
        QStringList warnings;
        const BankContent content = readBank(db, errors, warnings);
        for (const QString& warning : warnings)
            result.warning(warning);
        if (options.format != Format::Json)
            errors += SheetBankWriter::uncarried(content, options.format == Format::Xlsx
                                                              ? SheetBankWriter::Kind::Xlsx
                                                              : SheetBankWriter::Kind::Csv);
        if (!errors.isEmpty()) {
            if (options.format != Format::Json)
                errors.append(Text::tr("a sheet cannot carry these values; export the bank as JSON "
                                       "(--format json), which carries every stored value"));
            throw failed(ExitCode::faults, errors);
        }

        // The files in the order they are put in place, the bank's own last:
        // it is what names the pictures.
        QStringList outputs;
        for (const BankQuestion& question : content.questions)
            if (question.picture)
                outputs.append(question.pictureFile);
        const qsizetype pictures = outputs.size();
        const QStringList bankFiles = options.format == Format::Json ? QStringList{QStringLiteral("bank.json")}
                                    : options.format == Format::Csv
                                        ? QStringList{QStringLiteral("materials.csv"), QStringLiteral("categories.csv"),
                                                      QStringLiteral("bank.csv")}
                                        : QStringList{QStringLiteral("bank.xlsx")};
        outputs += bankFiles;
        const QStringList existing = options.force ? QStringList() : out.existing(outputs);
        if (!existing.isEmpty()) {
            QStringList refusals;
            for (const QString& path : existing)
                refusals.append(Text::tr("%1 already exists; give --force to replace it").arg(path));
            throw failed(ExitCode::usage, refusals);
        }
        for (const QString& output : outputs)
            if (!OutputFiles::aliasedInput(out.targetPath(output), {options.bank}).isEmpty())
                throw failed(ExitCode::usage, {Text::tr("%1 is the bank %2 being exported; export into another folder")
                                                   .arg(out.targetPath(output), options.bank)});

        QString error;
        out.create(error);
        for (const QString& stale : out.removedStaleFolders())
            result.note(Text::tr("removed %1, left by an earlier export that was stopped").arg(stale));
        if (error.isEmpty())
            writePictures(db, out, int(pictures), error);
        if (error.isEmpty() && options.format == Format::Json) {
            out.write(bankFiles[0], JsonBankWriter::write(content), error);
        } else if (error.isEmpty()) {
            const QList<SheetBankWriter::Table> tables = SheetBankWriter::tables(content);
            if (options.format == Format::Csv) {
                for (int i = 0; i < 3 && error.isEmpty(); ++i)
                    out.write(bankFiles[i], SheetBankWriter::csv(tables[2 - i]), error);
            } else {
                SheetBankWriter::xlsx(tables, out.scratchPath(bankFiles[0]), error);
            }
        }
        if (error.isEmpty())
            out.putInPlace(outputs, error);
        if (!error.isEmpty())
            throw failed(ExitCode::faults, {error, Text::tr("%1: nothing was changed").arg(options.outDir)});
        result.report = Text::tr("%1: %2 categories, %3 questions (%4 with pictures), %5 materials")
                            .arg(out.targetPath(bankFiles.last()))
                            .arg(content.categories.size())
                            .arg(content.questions.size())
                            .arg(pictures)
                            .arg(content.materials.size())
                        + QLatin1Char('\n');
    } catch (const StoreError& error) {
        throw failed(ExitCode::faults,
                     {Text::tr("%1: %2 (run \"check\" for the full picture)").arg(options.bank, error.text())});
    }
    return result;
}

} // namespace ExportCommand
