#include "tools/content/OptionLayout.h"

#include <QRegularExpression>

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

bool hasOptionLines(const QString& text)
{
    static const QRegularExpression optionLine(
        QStringLiteral("^\\s*[(（]?\\s*([A-Ca-cＡ-Ｃａ-ｃ])\\s*(?:[)）]|[、.．:：,，]|\\s)"));
    int next = 0;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch match = optionLine.match(line);
        if (!match.hasMatch())
            continue;
        const int index = match.captured(1).normalized(QString::NormalizationForm_KC).toUpper().at(0).unicode() - u'A';
        if (index == next)
            ++next;
        if (next == optionCount)
            return true;
    }
    return false;
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
