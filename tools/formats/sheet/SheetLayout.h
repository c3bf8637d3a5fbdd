#pragma once

#include <QString>

// The sheet layout of a bank, as build reads it and export writes it: the
// names of the columns in each sheet's header row, and the names of the
// worksheets of a workbook.
namespace SheetLayout {

// Questions: the first worksheet, or a CSV or text file.
inline QString no() { return QStringLiteral("题号"); }
inline QString type() { return QStringLiteral("题型"); }
inline QString text() { return QStringLiteral("题干"); }
inline QString answer() { return QStringLiteral("答案"); }
inline QString category() { return QStringLiteral("章节"); }
inline QString mustAnswer() { return QStringLiteral("必对"); }
inline QString picture() { return QStringLiteral("图片"); }
inline QString option(int index) { return QStringLiteral("选项") + QChar(u'A' + index); }

// Categories: 章节 and its title.
inline QString title() { return QStringLiteral("名称"); }

// Reference materials: their number, title and text.
inline QString materialId() { return QStringLiteral("编号"); }
inline QString materialTitle() { return QStringLiteral("标题"); }
inline QString materialText() { return QStringLiteral("内容"); }

// The worksheets of an exported workbook. build reads the categories and
// materials from worksheets so named when the workbook has them.
inline QString questionsSheet() { return QStringLiteral("题目"); }
inline QString categoriesSheet() { return QStringLiteral("章节"); }
inline QString materialsSheet() { return QStringLiteral("资料"); }

} // namespace SheetLayout
