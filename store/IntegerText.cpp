#include "store/IntegerText.h"

#include <limits>
#include <optional>

namespace {

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

    // Accumulate as a negative number so that the most negative int fits.
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

} // namespace

int integerFromText(const QString& text)
{
    if (const auto value = parseInteger(text))
        return *value;
    raiseNotAnInteger(text);
}

void raiseNotAnInteger(const QString& text)
{
    throw ConversionError(QStringLiteral("'%1' is not a valid integer value").arg(text));
}

int integerFromTextOr(const QString& text, int fallback)
{
    return parseInteger(text).value_or(fallback);
}
