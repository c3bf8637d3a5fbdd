#include "store/FieldValue.h"

#include "store/ConversionError.h"

#include <QLocale>
#include <QStringDecoder>

#include <cmath>
#include <limits>

namespace {

bool fitsInt(double value)
{
    return value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max();
}

constexpr qsizetype shownLength = 40;

} // namespace

QString readText(const FieldValue& value)
{
    switch (value.kind) {
    case FieldValue::Kind::Null:
        return {};
    case FieldValue::Kind::Integer:
        return QString::number(value.integer);
    case FieldValue::Kind::Real:
        return QString::number(value.real, 'g', 15);
    case FieldValue::Kind::Text:
    case FieldValue::Kind::Blob: {
        // A byte order mark at the start belongs to the text (texts pasted
        // from Windows files often carry one): QString::fromUtf8 would drop
        // it, and a text written back would lose it.
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
        return utf8(value.bytes);
    }
    }
    return {};
}

std::optional<int> readInteger(const FieldValue& value)
{
    switch (value.kind) {
    case FieldValue::Kind::Null:
        return 0;
    case FieldValue::Kind::Integer:
        if (!fitsInt(double(value.integer)))
            return std::nullopt;
        return int(value.integer);
    case FieldValue::Kind::Real: {
        const double rounded = std::round(value.real);
        if (!fitsInt(rounded)) // NaN included
            return std::nullopt;
        return int(rounded);
    }
    case FieldValue::Kind::Text:
    case FieldValue::Kind::Blob:
        // Not readText(): a byte order mark is no part of a number.
        return parseInteger(QString::fromUtf8(value.bytes));
    }
    return std::nullopt;
}

int requireInteger(const FieldValue& value)
{
    if (const std::optional<int> number = readInteger(value))
        return *number;
    raiseNotAnInteger(readText(value));
}

QByteArray readBytes(const FieldValue& value)
{
    switch (value.kind) {
    case FieldValue::Kind::Null:
        return {};
    case FieldValue::Kind::Text:
    case FieldValue::Kind::Blob:
        return value.bytes.toByteArray();
    case FieldValue::Kind::Integer:
    case FieldValue::Kind::Real:
        return readText(value).toUtf8();
    }
    return {};
}

std::optional<int> parseInteger(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    if (i == text.size())
        return std::nullopt;

    // The magnitude may reach one past the largest int for a negative
    // number, so that the most negative int fits.
    const qint64 limit = negative ? -qint64(std::numeric_limits<int>::min())
                                  : qint64(std::numeric_limits<int>::max());
    qint64 magnitude = 0;
    for (; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        magnitude = magnitude * 10 + (c.unicode() - '0');
        if (magnitude > limit)
            return std::nullopt;
    }
    return int(negative ? -magnitude : magnitude);
}

int integerFromText(const QString& text)
{
    if (const auto value = parseInteger(text))
        return *value;
    raiseNotAnInteger(text);
}

int integerFromTextOr(const QString& text, int fallback)
{
    return parseInteger(text).value_or(fallback);
}

void raiseNotAnInteger(const QString& text)
{
    throw ConversionError(QStringLiteral("'%1' is not a valid integer value").arg(text));
}

QString shownValue(const FieldValue& value)
{
    switch (value.kind) {
    case FieldValue::Kind::Null:
        return QStringLiteral("null");
    case FieldValue::Kind::Integer:
        return QString::number(value.integer);
    case FieldValue::Kind::Real:
        return QString::number(value.real, 'g', QLocale::FloatingPointShortest);
    case FieldValue::Kind::Text: {
        const QString text = QString::fromUtf8(value.bytes);
        return QLatin1Char('\'') + (text.size() > shownLength ? text.left(shownLength) + QStringLiteral("…") : text)
               + QLatin1Char('\'');
    }
    case FieldValue::Kind::Blob:
        return QStringLiteral("%1 bytes").arg(value.bytes.size());
    }
    return {};
}

QString kindName(FieldValue::Kind kind)
{
    switch (kind) {
    case FieldValue::Kind::Integer: return QStringLiteral("integer");
    case FieldValue::Kind::Real: return QStringLiteral("real");
    case FieldValue::Kind::Text: return QStringLiteral("text");
    case FieldValue::Kind::Blob: return QStringLiteral("bytes");
    case FieldValue::Kind::Null: return QStringLiteral("null");
    }
    return {};
}
