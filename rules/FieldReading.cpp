#include "rules/FieldReading.h"

#include <QLocale>

namespace {

constexpr qsizetype shownLength = 40;

QString realText(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

} // namespace

namespace FieldReading {

QString shown(const Statement& row, int column)
{
    switch (row.columnType(column)) {
    case Statement::ColumnType::Null:
        return QStringLiteral("null");
    case Statement::ColumnType::Integer:
        return QString::number(row.columnInt64(column));
    case Statement::ColumnType::Real:
        return realText(row.columnDouble(column));
    case Statement::ColumnType::Text: {
        const QString text = QString::fromUtf8(row.columnText(column));
        return QLatin1Char('\'') + (text.size() > shownLength ? text.left(shownLength) + QStringLiteral("…") : text)
               + QLatin1Char('\'');
    }
    case Statement::ColumnType::Blob:
        return QStringLiteral("%1 bytes").arg(row.columnBlob(column).size());
    }
    return {};
}

IntegerField integer(const Statement& row, int column)
{
    IntegerField field;
    field.shown = shown(row, column);
    field.isInteger = row.columnType(column) == Statement::ColumnType::Integer;
    field.value = readInteger(row.value(column));
    return field;
}

QByteArray pictureBytes(const Statement& row, int column)
{
    switch (row.columnType(column)) {
    case Statement::ColumnType::Null:
        return {};
    case Statement::ColumnType::Blob:
        return row.columnBlob(column).toByteArray();
    default:
        return row.columnText(column).toByteArray(); // text, or the number written as text
    }
}

QString kindName(Statement::ColumnType type)
{
    switch (type) {
    case Statement::ColumnType::Integer: return QStringLiteral("integer");
    case Statement::ColumnType::Real: return QStringLiteral("real");
    case Statement::ColumnType::Text: return QStringLiteral("text");
    case Statement::ColumnType::Blob: return QStringLiteral("bytes");
    case Statement::ColumnType::Null: return QStringLiteral("null");
    }
    return {};
}

} // namespace FieldReading
