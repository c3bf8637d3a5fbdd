#include "tools/commands/CheckReport.h"

#include <QCoreApplication>
#include <QHash>
#include <QStringList>

#include <algorithm>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(CheckReport)
};

// More findings of one kind than this are counted rather than listed: a bank
// with a systematic fault would otherwise bury everything else.
constexpr int listedPerKind = 20;

QStringList section(const QList<CheckFinding>& findings, CheckFinding::Severity severity)
{
    QStringList lines;
    QHash<CheckFinding::Kind, int> listed;
    QHash<CheckFinding::Kind, int> left;
    QList<CheckFinding::Kind> order;
    for (const CheckFinding& finding : findings) {
        if (finding.severity != severity)
            continue;
        if (!order.contains(finding.kind))
            order.append(finding.kind);
        if (listed[finding.kind] < listedPerKind) {
            ++listed[finding.kind];
            lines.append(QStringLiteral("  - ") + finding.text);
        } else {
            ++left[finding.kind];
        }
    }
    for (CheckFinding::Kind kind : order)
        if (left.value(kind) > 0)
            lines.append(Text::tr("  - ... and %1 more like \"%2\"")
                             .arg(left.value(kind))
                             .arg(std::find_if(findings.cbegin(), findings.cend(),
                                               [kind](const CheckFinding& f) { return f.kind == kind; })
                                      ->text));
    return lines;
}

} // namespace

void CheckReport::add(CheckFinding::Severity severity, CheckFinding::Kind kind, const QString& text)
{
    findings_.append({severity, kind, text});
}

int CheckReport::count(CheckFinding::Kind kind) const
{
    return int(std::count_if(findings_.cbegin(), findings_.cend(),
                             [kind](const CheckFinding& finding) { return finding.kind == kind; }));
}

bool CheckReport::programWorks() const
{
    return std::none_of(findings_.cbegin(), findings_.cend(), [](const CheckFinding& finding) {
        return finding.severity == CheckFinding::Severity::Fault;
    });
}

QString CheckReport::toText(const QString& bankPath) const
{
    QStringList lines{Text::tr("Bank: %1").arg(bankPath)};
    // A bank without a mock exam still works for practice, so it is no
    // fault; but it is the first thing its author must know.
    const bool noExam = count(CheckFinding::Kind::NoExam) > 0;
    if (noExam)
        lines.append(Text::tr("*** This bank has no mock exam: see the warning below. ***"));
    const struct
    {
        CheckFinding::Severity severity;
        QString heading;
    } sections[] = {
        {CheckFinding::Severity::Fault, Text::tr("Faults (the program fails on these):")},
        {CheckFinding::Severity::Warning, Text::tr("Warnings (the program runs, but not as meant):")},
        {CheckFinding::Severity::Note, Text::tr("What the program will do:")},
    };
    for (const auto& [severity, heading] : sections) {
        const QStringList body = section(findings_, severity);
        if (body.isEmpty())
            continue;
        lines.append(QString());
        lines.append(heading);
        lines.append(body);
    }
    lines.append(QString());
    if (!programWorks())
        lines.append(Text::tr("Result: the program will fail on this bank."));
    else if (noExam)
        lines.append(Text::tr("Result: the program can use this bank for practice, but it has no mock exam."));
    else
        lines.append(Text::tr("Result: the program can use this bank."));
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}
