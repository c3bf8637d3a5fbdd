#include "tools/BankStats.h"

#include "store/ReadOnlyBank.h"

#include <QStringList>

namespace {

// Runs a "select label, count" statement.
QList<BankStats::Count> counts(ReadOnlyBank& db, const QString& sql)
{
    QList<BankStats::Count> counted;
    ReadOnlyBank::Rows rows(db, sql);
    while (rows.next())
        counted.append({QString::fromUtf8(rows.row().columnText(0)), rows.row().columnInt64(1)});
    return counted;
}

QStringList section(const QString& heading, const QList<BankStats::Count>& rows)
{
    QStringList lines{heading};
    for (const BankStats::Count& row : rows)
        lines.append(QStringLiteral("  %1  %2").arg(row.questions, 7).arg(row.label));
    return lines;
}

} // namespace

BankStats BankStats::of(const QString& bankPath, const ReadOnlyBank::Limits& limits)
{
    ReadOnlyBank db(bankPath, limits);
    BankStats stats;
    stats.total = counts(db, QStringLiteral("select '', count(*) from Subjects")).value(0).questions;
    // A category's title, or a mark when no category has the number (the
    // question is then never offered).
    stats.byCategory = counts(
        db, QStringLiteral("select coalesce(s.fatherNo, 'null') || ' ' || coalesce((select remark from classes c "
                           "where c.[no] = s.fatherNo limit 1), '(no such category)'), count(*) "
                           "from Subjects s group by s.fatherNo order by s.fatherNo"));
    // The program reads a null type as 0.
    stats.byType = counts(db, QStringLiteral("select case when coalesce(classNo, 0) = 0 then 'single choice (A/B/C)' "
                                             "else 'true/false (classNo ' || classNo || ')' end, count(*) "
                                             "from Subjects group by coalesce(classNo, 0) order by 1"));
    stats.byMustAnswer = counts(db, QStringLiteral("select case passOnly when 1 then 'must-answer' "
                                                   "when 0 then 'ordinary' "
                                                   "else 'neither (passOnly ' || coalesce(passOnly, 'null') || ')' "
                                                   "end, count(*) from Subjects group by passOnly "
                                                   "order by passOnly = 0 desc, passOnly = 1 desc, passOnly"));
    stats.byPicture = counts(db, QStringLiteral("select case when coalesce(length(bmp), 0) > 0 then 'with a picture' "
                                                "else 'without a picture' end, count(*) from Subjects "
                                                "group by 1 order by 1 desc"));
    return stats;
}

QString BankStats::toText() const
{
    QStringList lines{QStringLiteral("Questions: %1").arg(total), QString()};
    lines += section(QStringLiteral("By category:"), byCategory);
    lines.append(QString());
    lines += section(QStringLiteral("By type:"), byType);
    lines.append(QString());
    lines += section(QStringLiteral("By must-answer flag:"), byMustAnswer);
    lines.append(QString());
    lines += section(QStringLiteral("By picture:"), byPicture);
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}
