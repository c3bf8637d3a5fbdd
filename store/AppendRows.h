#pragma once

#include <QtGlobal>

class RowCache;
class Statement;

// Appends every row of a statement to a record set's rows. A keyed
// statement's first column is the rowid, and its byte values are left in
// the file to be read when asked for. The bytes the rows take are counted
// as they are read, each value before it is stored, so that no row, however
// wide, gets past `maxBytes`: a bank is an untrusted file, and a view can
// make rows of any size. Raises StoreError beyond the limit.
void appendRows(Statement& statement, RowCache& rows, bool keyed, qint64 maxBytes);
