#include "tools/bankfile/StoredBankReader.h"

#include "rules/BankTables.h"
#include "store/ReadOnlyBank.h"

#include <QCoreApplication>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(StoredBankReader)
};

using BankTables::bracketed;

// Reads one table's rows, column by column, noting every value whose kind
// the content cannot carry. A byte column is read as its kind only, so that
// no picture is loaded.
class RowReader
{
public:
    RowReader(ReadOnlyBank& db, const BankTables::Table& table, const QStringList& byteColumns, QStringList& errors)
        : rows_(db, QStringLiteral("select rowid, %1 from %2 order by rowid")
                        .arg(selected(table.columns, byteColumns), bracketed({table.name})))
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

    qint64 rowid() const { return statement_.columnInt64(0); }

    qint64 integer(int column)
    {
        if (statement_.columnType(column + 1) != Statement::ColumnType::Integer)
            unexported(column, Text::tr("is not an integer"));
        return statement_.columnInt64(column + 1);
    }

    QString text(int column)
    {
        if (statement_.columnType(column + 1) != Statement::ColumnType::Text)
            unexported(column, Text::tr("is not text"));
        return QString::fromUtf8(statement_.columnText(column + 1));
    }

    // Whether a byte column holds a value (true) or null (false).
    bool holdsBytes(int column)
    {
        const QByteArrayView kind = statement_.columnText(column + 1);
        if (kind == "null")
            return false;
        if (kind != "blob")
            unexported(column, Text::tr("is not a picture (a byte value)"));
        return kind == "blob";
    }

private:
    static QString selected(const QStringList& columns, const QStringList& byteColumns)
    {
        QStringList parts;
        for (const QString& column : columns)
            parts.append(byteColumns.contains(column) ? QStringLiteral("typeof(%1)").arg(bracketed({column}))
                                                      : bracketed({column}));
        return parts.join(QLatin1String(", "));
    }

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
BankTables::Table materialsWithId()
{
    BankTables::Table table = BankTables::materials();
    table.columns.prepend(QStringLiteral("id"));
    return table;
}

// Columns a bank may have beyond the ones the program reads are not part of
// the content; they are named so that nobody is surprised by their loss.
void warnAboutOtherColumns(ReadOnlyBank& db, const BankTables::Table& table, QStringList& warnings)
{
    const ReadOnlyBank::Rows rows(db, QStringLiteral("select * from %1 limit 0").arg(bracketed({table.name})));
    const Statement& statement = rows.row();
    for (int i = 0; i < statement.columnCount(); ++i)
        if (!table.columns.contains(statement.columnName(i), Qt::CaseInsensitive))
            warnings.append(
                Text::tr("column %1 of table %2 is not exported").arg(statement.columnName(i), table.name));
}

} // namespace

namespace StoredBankReader {

Result read(ReadOnlyBank& db)
{
    Result result;
    BankContent& content = result.content;
    warnAboutOtherColumns(db, BankTables::classes(), result.warnings);
    warnAboutOtherColumns(db, BankTables::subjects(), result.warnings);
    warnAboutOtherColumns(db, materialsWithId(), result.warnings);

    RowReader classes(db, BankTables::classes(), {}, result.errors);
    while (classes.next())
        content.categories.append({classes.integer(0), classes.text(1), 0});

    RowReader subjects(db, BankTables::subjects(), {QStringLiteral("bmp")}, result.errors);
    while (subjects.next()) {
        BankQuestion question;
        question.no = subjects.integer(0);
        question.text = subjects.text(1);
        question.answer = subjects.integer(2);
        question.type = subjects.integer(3);
        question.mustAnswer = subjects.integer(4);
        question.category = subjects.integer(5);
        question.picture = subjects.holdsBytes(6) ? std::optional(QByteArray()) : std::nullopt;
        result.rowids.append(subjects.rowid());
        content.questions.append(std::move(question));
    }

    RowReader materials(db, materialsWithId(), {}, result.errors);
    while (materials.next()) {
        BankMaterial material;
        material.id = materials.integer(0);
        material.title = materials.text(1);
        material.text = materials.text(2);
        content.materials.append(std::move(material));
    }
    return result;
}

} // namespace StoredBankReader
