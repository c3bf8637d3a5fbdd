#include "tools/FieldReading.h"

#include "store/IntegerText.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace {

constexpr qsizetype shownLength = 40;

bool fitsInt(double value)
{
    return value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max();
}

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
    switch (row.columnType(column)) {
    case Statement::ColumnType::Null:
        field.value = 0;
        break;
    case Statement::ColumnType::Integer: {
        const qint64 value = row.columnInt64(column);
        field.isInteger = true;
        if (fitsInt(double(value)))
            field.value = int(value);
        break;
    }
    case Statement::ColumnType::Real: {
        const double value = std::round(row.columnDouble(column));
        if (fitsInt(value))
            field.value = int(value);
        break;
    }
    case Statement::ColumnType::Text:
    case Statement::ColumnType::Blob: {
        const QString text = QString::fromUtf8(row.columnType(column) == Statement::ColumnType::Text
                                                   ? row.columnText(column)
                                                   : row.columnBlob(column));
        // Two different fallbacks tell a text that reads as 0 from one that
        // does not read at all.
        const int value = integerFromTextOr(text, 0);
        if (value != 0 || integerFromTextOr(text, 1) == 0)
            field.value = value;
        break;
    }
    }
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
