#include "tools/formats/sheet/SheetCategories.h"

#include "tools/content/SourceWords.h"
#include "tools/formats/sheet/SheetLayout.h"

#include "rules/CategoryNumber.h"

#include <QCoreApplication>
#include <QHash>

#include <algorithm>
#include <optional>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(SheetBankReader)
};

using SheetHeader::Column;

std::optional<qint64> wholeNumber(const QString& text)
{
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

// The next number a category given by its title takes: 101, 102, ...,
// never a chapter heading's (200).
qint64 nextCategoryNumber(qint64 after)
{
    qint64 no = after + 1;
    while (CategoryNumber::isHeading(no))
        ++no;
    return no;
}

} // namespace

namespace SheetCategories {

QString defaultTitle(qint64 no)
{
    return QStringLiteral("第%1章").arg(no);
}

void assign(QList<SheetQuestionRow::Question>& rows, const SheetColumns& sheet, const QList<BankCategory>* given,
            const QString& sheetTitle, BankSource& source)
{
    const QString path = sheet.path();
    QList<BankQuestion>& questions = source.content.questions;
    if (!sheet.has(Column::Category)) {
        const qint64 no = given && !given->isEmpty() ? given->first().no : nextCategoryNumber(100);
        for (SheetQuestionRow::Question& row : rows) {
            row.question.category = no;
            questions.append(row.question);
        }
        if (!given)
            source.content.categories.append({no, sheetTitle, 0});
        source.notes.append(Text::tr("%1: no %2 column: all %L3 questions go into one category, %4 \"%5\"")
                                .arg(path, SheetLayout::category())
                                .arg(rows.size())
                                .arg(no)
                                .arg(given && !given->isEmpty() ? given->first().title : sheetTitle));
        return;
    }
    const bool numbers = std::all_of(rows.cbegin(), rows.cend(),
                                     [](const SheetQuestionRow::Question& row) { return wholeNumber(row.category).has_value(); });
    QHash<QString, qint64> byTitle;
    QList<BankCategory> titled;
    if (given) {
        for (const BankCategory& category : *given)
            byTitle.insert(SourceWords::normalized(category.title), category.no);
    }
    qint64 last = 100;
    for (SheetQuestionRow::Question& row : rows) {
        if (numbers) {
            row.question.category = *wholeNumber(row.category);
        } else if (const auto known = byTitle.constFind(row.category); known != byTitle.cend()) {
            row.question.category = *known;
        } else if (given) {
            source.problems.addError(path, sheet.cell(row.question.sourceLine, Column::Category),
                                     Text::tr("no category in the categories sheet has this title; write its "
                                              "number or its title as listed there"),
                                     row.category);
            continue;
        } else {
            last = nextCategoryNumber(last);
            byTitle.insert(row.category, last);
            titled.append({last, row.category, row.question.sourceLine});
            row.question.category = last;
        }
        questions.append(row.question);
    }
    if (!given && numbers) {
        QList<qint64> used;
        for (const BankQuestion& question : questions)
            used.append(question.category);
        std::sort(used.begin(), used.end());
        used.erase(std::unique(used.begin(), used.end()), used.end());
        for (qint64 no : used)
            source.content.categories.append({no, defaultTitle(no), 0});
    } else if (!given) {
        source.content.categories = titled;
        if (!titled.isEmpty())
            source.notes.append(Text::tr("%1: chapters are written as titles: %2 categories, numbered %3 to %4 in "
                                         "the order they first appear")
                                    .arg(path)
                                    .arg(titled.size())
                                    .arg(titled.first().no)
                                    .arg(titled.last().no));
    }
}

} // namespace SheetCategories
