#include "materials/EditedText.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

constexpr QChar paragraphSeparator(QChar::ParagraphSeparator);

// The line end a text uses: its first one, LF for a text without any.
QString lineEndOf(const QString& text)
{
    const qsizetype at = text.indexOf(QRegularExpression(QStringLiteral("[\\r\\n]")));
    if (at < 0 || text.at(at) == u'\n')
        return QStringLiteral("\n");
    return at + 1 < text.size() && text.at(at + 1) == u'\n' ? QStringLiteral("\r\n") : QStringLiteral("\r");
}

} // namespace

EditedText::EditedText(const QString& stored, const QString& shown)
    : stored_(stored)
    , shown_(shown)
    , lineEnd_(lineEndOf(stored))
{
    // One document character per stored character, except CR LF, which the
    // document holds as one paragraph separator.
    starts_.clear();
    qsizetype at = 0;
    for (qsizetype i = 0; i < shown_.size(); ++i) {
        starts_.append(std::min(at, stored_.size()));
        const bool crlf = shown_.at(i) == paragraphSeparator && stored_.mid(at, 2) == QLatin1String("\r\n");
        at += crlf ? 2 : 1;
    }
    // Whatever is left over (no document form known to Qt 6 leaves any)
    // belongs to the last character, so that it is never lost.
    starts_.append(stored_.size());
}

void EditedText::edit(const QString& shown)
{
    const qsizetype shorter = std::min(shown_.size(), shown.size());
    qsizetype prefix = 0;
    while (prefix < shorter && shown_.at(prefix) == shown.at(prefix))
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix && shown_.at(shown_.size() - 1 - suffix) == shown.at(shown.size() - 1 - suffix))
        ++suffix;

    const qsizetype removedEnd = shown_.size() - suffix;
    const QString typed = shown.mid(prefix, shown.size() - prefix - suffix);

    QString typedStored;
    QList<qsizetype> typedStarts;
    const qsizetype from = starts_.at(prefix);
    for (const QChar c : typed) {
        typedStarts.append(from + typedStored.size());
        if (c == paragraphSeparator)
            typedStored += lineEnd_;
        else
            typedStored += c;
    }

    const qsizetype to = starts_.at(removedEnd);
    const qsizetype shift = typedStored.size() - (to - from);
    stored_.replace(from, to - from, typedStored);

    QList<qsizetype> starts = starts_.first(prefix);
    starts += typedStarts;
    for (qsizetype i = removedEnd; i < starts_.size(); ++i)
        starts.append(starts_.at(i) + shift);
    starts_ = std::move(starts);
    shown_ = shown;
}
