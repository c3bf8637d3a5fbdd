#include "tools/commands/BankStats.h"

#include "tools/bankfile/BankToRead.h"

#include "store/ReadOnlyBank.h"

#include <QCoreApplication>
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

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(BankStats)
};

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
    const BankToRead file(bankPath);
    ReadOnlyBank db(file.path(), limits);
    BankStats stats;
    stats.total = counts(db, QStringLiteral("select '', count(*) from Subjects")).value(0).questions;
    // A category's title, or a mark when no category has the number (the
    // question is then never offered).
    stats.byCategory = counts(
        db, QStringLiteral("select coalesce(s.fatherNo, 'null') || ' ' || coalesce((select remark from classes c "
                           "where c.[no] = s.fatherNo limit 1), '%1'), count(*) "
                           "from Subjects s group by s.fatherNo order by s.fatherNo")
                .arg(Text::tr("(no such category)").replace(QLatin1Char('\''), QStringLiteral("''"))));
    // Labels are made here from the stored values: the program reads a null
    // type as 0.
    stats.byType = counts(db, QStringLiteral("select case when coalesce(classNo, 0) = 0 then 'single' else classNo end, "
                                             "count(*) from Subjects "
                                             "group by coalesce(classNo, 0) order by coalesce(classNo, 0) <> 0, 1"));
    for (Count& count : stats.byType)
        count.label = count.label == QLatin1String("single") ? Text::tr("single choice (A/B/C)")
                                                        : Text::tr("true/false (classNo %1)").arg(count.label);
    stats.byMustAnswer = counts(db, QStringLiteral("select case when passOnly = 1 then 'must' when passOnly = 0 then 'ordinary' "
                                                   "else coalesce(passOnly, 'null') end, count(*) from Subjects "
                                                   "group by passOnly "
                                                   "order by passOnly = 0 desc, passOnly = 1 desc, passOnly"));
    for (Count& count : stats.byMustAnswer)
        count.label = count.label == QLatin1String("must")       ? Text::tr("must-answer")
                      : count.label == QLatin1String("ordinary") ? Text::tr("ordinary")
                                                          : Text::tr("neither (passOnly %1)").arg(count.label);
    stats.byPicture = counts(db, QStringLiteral("select coalesce(length(bmp), 0) > 0, count(*) from Subjects "
                                                "group by 1 order by 1 desc"));
    for (Count& count : stats.byPicture)
        count.label = count.label == QLatin1String("1") ? Text::tr("with a picture") : Text::tr("without a picture");
    return stats;
}

QString BankStats::toText() const
{
    QStringList lines{Text::tr("Questions: %1").arg(total), QString()};
    lines += section(Text::tr("By category:"), byCategory);
    lines.append(QString());
    lines += section(Text::tr("By type:"), byType);
    lines.append(QString());
    lines += section(Text::tr("By must-answer flag:"), byMustAnswer);
    lines.append(QString());
    lines += section(Text::tr("By picture:"), byPicture);
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}
