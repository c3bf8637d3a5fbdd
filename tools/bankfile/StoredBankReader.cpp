#include "tools/bankfile/StoredBankReader.h"

#include "rules/BankColumns.h"
#include "rules/BankTables.h"
#include "store/Database.h"

#include <QCoreApplication>
#include <QStringDecoder>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(StoredBankReader)
};

using BankTables::bracketed;

// Reads one table's rows, column by column by name, noting every value whose
// kind the content cannot carry. The picture column is read as its kind
// only, so that no picture is loaded.
class RowReader
{
public:
    RowReader(Database& db, const BankTables::Table& table, QStringList& errors)
        : rows_(db, QStringLiteral("select rowid, %1 from %2 order by rowid")
                        .arg(selected(table.columns), bracketed({table.name})))
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

    // Whether the picture column holds a value (true) or null (false).
    bool holdsPicture()
    {
        const int column = indexOf(Column::bmp);
        const QByteArrayView kind = statement_.columnText(column);
        if (kind == "null")
            return false;
        if (kind != "blob")
            unexported(column, Text::tr("is not a picture (a byte value)"));
        return kind == "blob";
    }

private:
    static QString selected(const QStringList& columns)
    {
        QStringList parts;
        for (const QString& column : columns)
            parts.append(column == Column::bmp ? QStringLiteral("typeof(%1)").arg(bracketed({column}))
                                               : bracketed({column}));
        return parts.join(QLatin1String(", "));
    }

    // The statement selects the rowid, then the table's columns in the
    // order of its list.
    int indexOf(const QString& name) const { return int(columns_.indexOf(name)) + 1; }

    void unexported(int column, const QString& reason)
    {
        errors_.append(Text::tr("%1 row %2: %3 %4").arg(table_).arg(row_).arg(columns_[column - 1], reason));
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
BankTables::Table materialsWithId()
{
    BankTables::Table table = BankTables::materials();
    table.columns.prepend(Column::id);
    return table;
}

// Columns a bank may have beyond the ones the program reads are not part of
// the content; they are named so that nobody is surprised by their loss.
void warnAboutOtherColumns(Database& db, const BankTables::Table& table, QStringList& warnings)
{
    const Database::Rows rows(db, QStringLiteral("select * from %1 limit 0").arg(bracketed({table.name})));
    const Statement& statement = rows.row();
    for (int i = 0; i < statement.columnCount(); ++i)
        if (!table.columns.contains(statement.columnName(i), Qt::CaseInsensitive))
            warnings.append(
                Text::tr("column %1 of table %2 is not exported").arg(statement.columnName(i), table.name));
}

} // namespace

namespace StoredBankReader {

Result read(Database& db)
{
    Result result;
    BankContent& content = result.content;
    warnAboutOtherColumns(db, BankTables::classes(), result.warnings);
    warnAboutOtherColumns(db, BankTables::subjects(), result.warnings);
    warnAboutOtherColumns(db, materialsWithId(), result.warnings);

    RowReader classes(db, BankTables::classes(), result.errors);
    while (classes.next())
        content.categories.append({classes.integer(Column::no), classes.text(Column::remark), 0});

    RowReader subjects(db, BankTables::subjects(), result.errors);
    while (subjects.next()) {
        BankQuestion question;
        question.no = subjects.integer(Column::no);
        question.text = subjects.text(Column::subject);
        question.answer = subjects.integer(Column::result);
        question.type = subjects.integer(Column::classNo);
        question.mustAnswer = subjects.integer(Column::passOnly);
        question.category = subjects.integer(Column::fatherNo);
        question.picture = subjects.holdsPicture() ? std::optional(QByteArray()) : std::nullopt;
        result.rowids.append(subjects.rowid());
        content.questions.append(std::move(question));
    }

    RowReader materials(db, materialsWithId(), result.errors);
    while (materials.next()) {
        BankMaterial material;
        material.id = materials.integer(Column::id);
        material.title = materials.text(Column::title);
        material.text = materials.text(Column::memo);
        content.materials.append(std::move(material));
    }
    return result;
}

} // namespace StoredBankReader
