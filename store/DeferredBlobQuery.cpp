#include "store/DeferredBlobQuery.h"

#include "store/Database.h"
#include "store/Statement.h"

#include <QList>
#include <QRegularExpression>
#include <QStringList>

namespace {

// select * from <name> [where|order|group|limit ...]
const QRegularExpression& plainSelectPattern()
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(^\s*select\s+\*\s+from\s+(\[[^\]]+\]|"(?:[^"]|"")+"|`[^`]+`|[A-Za-z_][A-Za-z0-9_]*)\s*((?:where|order|group|limit)\b.*)?$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    return pattern;
}

QString unquoted(const QString& identifier)
{
    const QChar first = identifier.front();
    if (first == QLatin1Char('[') || first == QLatin1Char('`'))
        return identifier.mid(1, identifier.size() - 2);
    if (first == QLatin1Char('"'))
        return identifier.mid(1, identifier.size() - 2).replace(QStringLiteral("\"\""), QStringLiteral("\""));
    return identifier;
}

struct Column
{
    QString name;
    QString declaredType;
};

// The columns of a real table; none for a view (whose rowid is always null)
// or a name that is no table.
QList<Column> columnsOf(Database& db, const QString& table)
{
    Statement info(db.handle(), QStringLiteral("select p.name, p.type from sqlite_master m, pragma_table_info(m.name) p "
                                               "where m.type = 'table' and m.name = ?1 collate nocase"));
    info.bindText(1, table);
    QList<Column> columns;
    while (info.step())
        columns.append({QString::fromUtf8(info.columnText(0)), QString::fromUtf8(info.columnText(1))});
    return columns;
}

// Whether a column is meant for byte values, by SQLite's rules for a declared
// type's affinity: none, BLOB, or a name SQLite does not know (LONGBINARY,
// IMAGE, ...). Only these are kept from being read at open; a byte value in
// any other column is still deferred, only read once more.
bool mayHoldPictures(const QString& declaredType)
{
    const QString type = declaredType.toUpper();
    for (const char* known : {"INT", "CHAR", "CLOB", "TEXT", "REAL", "FLOA", "DOUB"})
        if (type.contains(QLatin1String(known)))
            return false;
    return true;
}

} // namespace

QString quotedIdentifier(const QString& name)
{
    return QLatin1Char('"') + QString(name).replace(QStringLiteral("\""), QStringLiteral("\"\"")) + QLatin1Char('"');
}

std::optional<DeferredBlobQuery> DeferredBlobQuery::rewrite(Database& db, const QString& sql)
{
    const QRegularExpressionMatch match = plainSelectPattern().match(sql);
    if (!match.hasMatch())
        return std::nullopt;

    const QString table = unquoted(match.captured(1));
    const QList<Column> columns = columnsOf(db, table);
    if (columns.isEmpty())
        return std::nullopt; // no such table, or a view: run as written

    QStringList names;
    for (const Column& column : columns)
        names << column.name;
    QString rowIdName;
    for (const QString& candidate : {QStringLiteral("rowid"), QStringLiteral("_rowid_"), QStringLiteral("oid")}) {
        if (!names.contains(candidate, Qt::CaseInsensitive)) {
            rowIdName = candidate;
            break;
        }
    }
    if (rowIdName.isEmpty())
        return std::nullopt;

    // typeof() does not read a value's bytes, so a blob is never loaded here.
    QStringList selected{quotedIdentifier(table) + QLatin1Char('.') + rowIdName};
    for (const Column& column : columns) {
        const QString c = quotedIdentifier(column.name);
        selected << (mayHoldPictures(column.declaredType)
                         ? QStringLiteral("case when typeof(%1) = 'blob' then x'' else %1 end as %1").arg(c)
                         : c);
    }
    DeferredBlobQuery query;
    query.sql = QStringLiteral("select %1 from %2 %3")
                    .arg(selected.join(QStringLiteral(", ")), quotedIdentifier(table), match.captured(2));
    query.table = table;
    query.rowIdName = rowIdName;
    return query;
}

QByteArray DeferredBlobQuery::readValue(Database& db, const QString& column, qint64 rowId) const
{
    Statement read(db.handle(), QStringLiteral("select %1 from %2 where %3 = ?1")
                                    .arg(quotedIdentifier(column), quotedIdentifier(table), rowIdName));
    read.bindInt64(1, rowId);
    if (!read.step())
        return {}; // the row is gone since the set was opened
    return read.columnBlob(0).toByteArray();
}
