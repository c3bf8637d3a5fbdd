#include "tools/commands/BankExporter.h"

#include "tools/content/BankContent.h"
#include "tools/formats/json/JsonBankWriter.h"
#include "tools/commands/ProgressBar.h"

#include "rules/BankTables.h"
#include "tools/bankfile/BankToRead.h"
#include "tools/bankfile/NewExport.h"
#include "tools/bankfile/OutputFiles.h"
#include "tools/formats/sheet/SheetBankWriter.h"

#include "store/ReadOnlyBank.h"
#include "store/StoreError.h"

#include <QCoreApplication>
#include <QSet>
#include <QStringDecoder>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(BankExporter)
};

using BankTables::bracketed;

// Reads one table's rows, column by column, noting every value whose kind
// the JSON format cannot carry.
class RowReader
{
public:
    RowReader(ReadOnlyBank& db, const BankTables::Table& table, QStringList& errors)
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

    qint64 integer(int column)
    {
        if (statement_.columnType(column) != Statement::ColumnType::Integer)
            unexported(column, Text::tr("is not an integer"));
        return statement_.columnInt64(column);
    }

    QString text(int column)
    {
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

    std::optional<QByteArray> bytes(int column)
    {
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
    void unexported(int column, const QString& reason)
    {
        errors_.append(Text::tr("%1 row %2: %3 %4").arg(table_).arg(row_).arg(columns_[column], reason));
    }

    ReadOnlyBank::Rows rows_;
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
    table.columns.prepend(QStringLiteral("id"));
    return table;
}

QString pictureName(qint64 no)
{
    return QStringLiteral("pictures/%1.bmp").arg(no);
}

// Columns a bank may have beyond the ones the program reads are not part of
// the format; they are named so that nobody is surprised by their loss.
void warnAboutOtherColumns(ReadOnlyBank& db, const BankTables::Table& table, QStringList& warnings)
{
    const ReadOnlyBank::Rows rows(db, QStringLiteral("select * from %1 limit 0").arg(bracketed({table.name})));
    const Statement& statement = rows.row();
    for (int i = 0; i < statement.columnCount(); ++i)
        if (!table.columns.contains(statement.columnName(i), Qt::CaseInsensitive))
            warnings.append(
                Text::tr("column %1 of table %2 is not exported").arg(statement.columnName(i), table.name));
}

BankContent readBank(ReadOnlyBank& db, QStringList& errors, QStringList& warnings)
{
    BankContent content;
    warnAboutOtherColumns(db, BankTables::classes(), warnings);
    warnAboutOtherColumns(db, BankTables::subjects(), warnings);
    warnAboutOtherColumns(db, exportedMaterials(), warnings);

    RowReader classes(db, BankTables::classes(), errors);
    while (classes.next())
        content.categories.append({classes.integer(0), classes.text(1), 0});

    RowReader subjects(db, BankTables::subjects(), errors);
    QSet<qint64> numbers;
    while (subjects.next()) {
        BankQuestion question;
        question.no = subjects.integer(0);
        question.text = subjects.text(1);
        question.answer = subjects.integer(2);
        question.type = subjects.integer(3);
        question.mustAnswer = subjects.integer(4);
        question.category = subjects.integer(5);
        // Only whether there is a picture: the bytes go straight to their
        // files later, one at a time, so that a bank of large pictures is
        // never held in memory.
        question.picture = subjects.bytes(6).has_value() ? std::optional(QByteArray()) : std::nullopt;
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
        material.id = materials.integer(0);
        material.title = materials.text(1);
        material.text = materials.text(2);
        content.materials.append(std::move(material));
    }
    return content;
}

// Writes every stored picture to its file, reading one row at a time.
void writePictures(ReadOnlyBank& db, const NewExport& out, int total, QString& error)
{
    ProgressBar progress(Text::tr("Pictures"), total);
    ReadOnlyBank::Rows rows(db, QStringLiteral("select [no], bmp from Subjects where bmp is not null order by rowid"));
    while (error.isEmpty() && rows.next()) {
        out.write(pictureName(rows.row().columnInt64(0)), rows.row().columnBlob(1).toByteArray(), error);
        progress.advance();
    }
}

} // namespace

namespace BankExporter {

std::optional<Format> formatNamed(const QString& name)
{
    const QString lower = name.toLower();
    if (lower == QLatin1String("json"))
        return Format::Json;
    if (lower == QLatin1String("csv"))
        return Format::Csv;
    if (lower == QLatin1String("xlsx"))
        return Format::Xlsx;
    return std::nullopt;
}

Result run(const QString& bankPath, const QString& outDir, bool force)
{
    return run(Options{bankPath, outDir, force, {}, Format::Json});
}

Result run(const Options& options)
{
    Result result;
    NewExport out(options.outDir, options.force);
    try {
        const BankToRead file(options.bank);
        if (file.recovered())
            result.warnings.append(file.recoveryNote(options.bank));
        ReadOnlyBank db(file.path(), options.limits);
        const BankContent content = readBank(db, result.errors, result.warnings);
        if (options.format != Format::Json)
            result.errors += SheetBankWriter::uncarried(content, options.format == Format::Xlsx
                                                                     ? SheetBankWriter::Kind::Xlsx
                                                                     : SheetBankWriter::Kind::Csv);
        if (!result.errors.isEmpty()) {
            if (options.format != Format::Json)
                result.errors.append(Text::tr("a sheet cannot carry these values; export the bank as JSON "
                                              "(--format json), which carries every stored value"));
            result.exitCode = 1;
            return result;
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
            result.exitCode = 2;
            for (const QString& path : existing)
                result.errors.append(Text::tr("%1 already exists; give --force to replace it").arg(path));
            return result;
        }
        for (const QString& file : outputs) {
            if (!OutputFiles::aliasedInput(out.targetPath(file), {options.bank}).isEmpty()) {
                result.exitCode = 2;
                result.errors.append(Text::tr("%1 is the bank %2 being exported; export into another folder")
                                         .arg(out.targetPath(file), options.bank));
                return result;
            }
        }

        QString error;
        out.create(error);
        for (const QString& stale : out.removedStaleFolders())
            result.warnings.append(Text::tr("removed %1, left by an earlier export that was stopped").arg(stale));
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
        if (!error.isEmpty()) {
            result.exitCode = 1;
            result.errors.append(error);
            result.errors.append(Text::tr("%1: nothing was changed").arg(options.outDir));
            return result;
        }
        result.summary = Text::tr("%1: %2 categories, %3 questions (%4 with pictures), %5 materials")
                             .arg(out.targetPath(bankFiles.last()))
                             .arg(content.categories.size())
                             .arg(content.questions.size())
                             .arg(pictures)
                             .arg(content.materials.size());
    } catch (const StoreError& error) {
        result.exitCode = 1;
        result.errors.append(
            Text::tr("%1: %2 (run \"check\" for the full picture)").arg(options.bank, error.text()));
    }
    return result;
}

} // namespace BankExporter
