#pragma once

#include "tools/formats/sheet/Sheet.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Reads a worksheet of an OpenDocument spreadsheet (.ods, as LibreOffice
// and WPS save it) within the same bounds as an Excel workbook (XlsxSheet):
// the zip container with libzip, content.xml with Qt's XML stream reader.
// Cells repeated by table:number-columns-repeated and rows by
// table:number-rows-repeated are expanded only when they hold something;
// paragraphs inside a cell become its lines; comments are not cell text.
namespace OdsSheet {

// The worksheet named `worksheet`, or the first one when the name is empty.
Sheet parse(const QByteArray& bytes, const QString& worksheet = {});

// The names of the worksheets, in order; empty when they cannot be read.
QStringList worksheetNames(const QByteArray& bytes);

} // namespace OdsSheet
