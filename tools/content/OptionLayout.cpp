#include "tools/content/OptionLayout.h"

namespace OptionLayout {

QString letter(int index)
{
    return QString(QChar(u'A' + index));
}

QString merged(const QString& question, const QStringList& options)
{
    QString text = question;
    for (qsizetype i = 0; i < options.size(); ++i)
        text += QLatin1Char('\n') + letter(int(i)) + QStringLiteral("、") + options[i];
    return text;
}

std::optional<Split> split(const QString& text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.size() < optionCount + 1)
        return std::nullopt;
    Split parts;
    const QStringList optionLines = lines.mid(lines.size() - optionCount);
    for (int i = 0; i < optionCount; ++i) {
        const QString prefix = letter(i) + QStringLiteral("、");
        if (!optionLines[i].startsWith(prefix))
            return std::nullopt;
        parts.options.append(optionLines[i].mid(prefix.size()));
        if (parts.options.last().trimmed().isEmpty())
            return std::nullopt; // an empty option cell means "no option"
    }
    lines.resize(lines.size() - optionCount);
    parts.question = lines.join(QLatin1Char('\n'));
    if (merged(parts.question, parts.options) != text)
        return std::nullopt;
    return parts;
}

} // namespace OptionLayout
