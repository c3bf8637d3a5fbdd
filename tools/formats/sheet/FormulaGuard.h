#pragma once

#include <QString>

// A CSV cell is typed in again when a spreadsheet opens the file: a text
// starting with =, +, -, @ (or a tab or carriage return before one) would
// run as a formula in Excel or WPS (=HYPERLINK(...) becomes a live link).
// Such a text is written with a leading apostrophe, which spreadsheets read
// as "this cell is text" and do not show. A text that itself starts with an
// apostrophe gets one more, so that reading back removes exactly one and
// every text comes back as it was.
namespace FormulaGuard {

// The text as a CSV cell holds it.
QString guarded(const QString& text);

// The text of a CSV cell: one leading apostrophe removed when a guarded
// text follows it (a formula character or another apostrophe); any other
// cell as it is.
QString unguarded(const QString& cell);

} // namespace FormulaGuard
