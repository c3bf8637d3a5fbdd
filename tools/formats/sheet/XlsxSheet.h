#pragma once

#include "tools/formats/sheet/Sheet.h"
#include "tools/formats/sheet/SheetLimits.h"

#include <QByteArray>
#include <QString>

// Reads a worksheet (the first, unless named) of an Excel workbook (.xlsx, as Excel, WPS and
// Python's writers make it): strings shared or inline, numbers (a whole
// number written as one, 101 rather than 101.0), booleans as true/false,
// empty cells, and line breaks inside cells. The zip container is read with
// libzip, the parts with Qt's XML stream reader.
//
// A workbook is an untrusted file: each part may unpack to at most
// maxPartBytes (a zip bomb stops there), the sheet may keep at most
// maxCells cells and its columns beyond maxColumns are ignored, its cells
// hold at most the text SheetLimits allows, a document
// type declaration is refused, and a missing or damaged part is an error
// that names it.
namespace XlsxSheet {

inline constexpr qint64 maxPartBytes = qint64(128) * 1024 * 1024;
inline constexpr qint64 maxCells = SheetLimits::maxCells;
inline constexpr int maxColumns = SheetLimits::maxColumns;

// The worksheet named `worksheet`, or the first one when the name is empty.
Sheet read(const QString& path, const QString& worksheet = {});

// The same from the file's bytes.
Sheet parse(const QByteArray& bytes, const QString& worksheet = {});

// The names of the workbook's worksheets, in order; empty when it cannot be
// read.
QStringList worksheetNames(const QString& path);

} // namespace XlsxSheet
