#pragma once

#include "tools/content/BankSource.h"
#include "tools/formats/sheet/SheetColumns.h"
#include "tools/formats/sheet/SheetQuestionRow.h"

#include <QList>
#include <QString>

namespace SheetCategories {

// Gives each question its category and puts it into `source`. Chapters
// written as numbers are those numbers; chapters written as text (第一章 …,
// 第3章, a title) become categories numbered 101, 102, ... in the order they
// first appear, titled as written, and go into `source` too; with a
// categories sheet (`given`), a title names the category of that title, and
// a title it lacks is an error. Without a chapter column every question goes
// into one category named after the sheet.
void assign(QList<SheetQuestionRow::Question>& rows, const SheetColumns& sheet, const QList<BankCategory>* given,
            const QString& sheetTitle, BankSource& source);

// The title given to category `no` when no categories sheet names it.
QString defaultTitle(qint64 no);

} // namespace SheetCategories
