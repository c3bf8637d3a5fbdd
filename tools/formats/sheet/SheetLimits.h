#pragma once

#include <QtGlobal>

// What a sheet may hold, whatever file it comes from, so that a small file
// cannot make the tool use memory (or write a bank) without bound: a
// workbook's shared string is counted each time a cell uses it.
namespace SheetLimits {

// Cells that hold anything.
inline constexpr qint64 maxCells = 2 * 1000 * 1000;
// Columns after this one are ignored.
inline constexpr int maxColumns = 1024;
// One cell's text (an Excel cell holds 32,767; a CSV file's material may be
// longer).
inline constexpr qint64 maxCellCharacters = 1000 * 1000;
// All cells' text together.
inline constexpr qint64 maxCharacters = 64 * 1000 * 1000;

} // namespace SheetLimits
