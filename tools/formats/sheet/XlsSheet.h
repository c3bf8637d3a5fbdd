#pragma once

#include "tools/formats/sheet/Sheet.h"

#include <QString>
#include <QStringList>

// Reads a worksheet of an old Excel 97-2003 workbook (.xls, BIFF8, as Excel,
// WPS and LibreOffice still save it) with libfreexl: text as stored
// (freexl gives UTF-8), whole numbers without a decimal point, dates as
// written. The file must be a regular file within the source limit; the
// sheet is held to the same number of cells and columns as an xlsx one.
namespace XlsSheet {

// The worksheet named `worksheet`, or the first one when the name is empty.
Sheet read(const QString& path, const QString& worksheet = {});

// The names of the worksheets, in order; empty when they cannot be read.
QStringList worksheetNames(const QString& path);

} // namespace XlsSheet
