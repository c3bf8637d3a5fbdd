#include "tools/commands/StatsCommand.h"

#include "tools/bankfile/BankToRead.h"

#include "rules/BankColumns.h"
#include "store/Database.h"
#include "store/StoreError.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

// Runs a "select label, count" statement.
QList<StatsCommand::Count> counts(Database& db, const QString& sql)
{
    QList<StatsCommand::Count> counted;
    Database::Rows rows(db, sql);
    while (rows.next())
        counted.append({QString::fromUtf8(rows.row().columnText(0)), rows.row().columnInt64(1)});
    return counted;
}

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(StatsCommand)
};

QStringList section(const QString& heading, const QList<StatsCommand::Count>& rows)
{
    QStringList lines{heading};
    for (const StatsCommand::Count& row : rows)
        lines.append(QStringLiteral("  %1  %2").arg(row.questions, 7).arg(row.label));
    return lines;
}

} // namespace

namespace StatsCommand {

Counts count(const QString& bankPath, const Database::Limits& limits)
{
    const BankToRead file(bankPath);
    Database db(file.path(), Database::Mode::Unchanged, limits);
    Counts stats;
    stats.total = counts(db, QStringLiteral("select '', count(*) from %1").arg(TableName::subjects)).value(0).questions;
    // A category's title, or a mark when no category has the number (the
    // question is then never offered).
    stats.byCategory = counts(
        db, QStringLiteral("select coalesce(s.%1, 'null') || ' ' || coalesce((select %2 from %3 c "
                           "where c.[%4] = s.%1 limit 1), '%5'), count(*) "
                           "from %6 s group by s.%1 order by s.%1")
                .arg(Column::fatherNo, Column::remark, TableName::classes, Column::no,
                     Text::tr("(no such category)").replace(QLatin1Char('\''), QStringLiteral("''")),
                     TableName::subjects));
    // Labels are made here from the stored values: the program reads a null
    // type as 0.
    stats.byType = counts(db, QStringLiteral("select case when coalesce(%1, 0) = 0 then 'single' else %1 end, "
                                             "count(*) from %2 "
                                             "group by coalesce(%1, 0) order by coalesce(%1, 0) <> 0, 1")
                                  .arg(Column::classNo, TableName::subjects));
    for (Count& count : stats.byType)
        count.label = count.label == QLatin1String("single") ? Text::tr("single choice (A/B/C)")
                                                        : Text::tr("true/false (classNo %1)").arg(count.label);
    stats.byMustAnswer = counts(db, QStringLiteral("select case when %1 = 1 then 'must' when %1 = 0 then 'ordinary' "
                                                   "else coalesce(%1, 'null') end, count(*) from %2 "
                                                   "group by %1 "
                                                   "order by %1 = 0 desc, %1 = 1 desc, %1")
                                        .arg(Column::passOnly, TableName::subjects));
    for (Count& count : stats.byMustAnswer)
        count.label = count.label == QLatin1String("must")       ? Text::tr("must-answer")
                      : count.label == QLatin1String("ordinary") ? Text::tr("ordinary")
                                                          : Text::tr("neither (passOnly %1)").arg(count.label);
    stats.byPicture = counts(db, QStringLiteral("select coalesce(length(%1), 0) > 0, count(*) from %2 "
                                                "group by 1 order by 1 desc")
                                     .arg(Column::bmp, TableName::subjects));
    for (Count& count : stats.byPicture)
        count.label = count.label == QLatin1String("1") ? Text::tr("with a picture") : Text::tr("without a picture");
    return stats;
}

QString Counts::toText() const
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

CommandResult run(const QString& bankPath, const Database::Limits& limits)
{
    try {
        CommandResult result;
        result.report = count(bankPath, limits).toText();
        return result;
    } catch (const StoreError& error) {
        throw ToolError(ExitCode::faults, QStringLiteral("%1: %2").arg(bankPath, error.text()));
    }
}

} // namespace StatsCommand
