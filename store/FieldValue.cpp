#include "store/FieldValue.h"

#include "store/IntegerText.h"

#include <QStringDecoder>

#include <cmath>
#include <limits>

namespace {

bool fitsInt(double value)
{
    return value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max();
}

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
    case FieldValue::Kind::Blob: {
        // Two fallbacks tell a text that reads as 0 from one that does not read.
        const QString text = QString::fromUtf8(value.bytes); // a byte order mark is no part of a number
        const int number = integerFromTextOr(text, 0);
        if (number != 0 || integerFromTextOr(text, 1) == 0)
            return number;
        return std::nullopt;
    }
    }
    return std::nullopt;
}

int requireInteger(const FieldValue& value)
{
    if (const std::optional<int> number = readInteger(value))
        return *number;
    raiseNotAnInteger(readText(value));
}
