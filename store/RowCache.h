#pragma once

#include <QByteArrayView>
#include <QtGlobal>

#include <string>
#include <vector>

// The rows of a record set, held compactly: one fixed-size cell per value
// and every text or byte value in shared blocks of up to a megabyte, so that a set
// of 100,000 questions costs little more than the bytes of its values,
// building it allocates almost nothing per row, and no byte is moved again
// once stored.
class RowCache
{
public:
    enum class Kind : quint8 {
        Null,
        Integer,
        Real,
        Text,         // UTF-8 in the shared buffer
        Blob,         // bytes in the shared buffer
        DeferredBlob, // bytes left in the file, read when asked for
    };

    // Empties the cache and gives its memory back.
    void reset(int columnCount);

    // Starts a row; its values follow with the append functions, one per
    // column, in column order.
    void beginRow(qint64 rowId);
    void appendNull();
    void appendInteger(qint64 value);
    void appendReal(double value);
    void appendText(QByteArrayView utf8);
    void appendBlob(QByteArrayView bytes);
    void appendDeferredBlob();

    // Editing the rows: a row of null values put in at `row` (the rows from
    // there on move down one), a row taken out, a row's values replaced by
    // those of a row of another cache with the same columns. Bytes a replaced
    // or removed row held stay in their block until the next reset:
    // edits are few, and moving the buffer would cost more than they do.
    void insertNullRow(int row, qint64 rowId);
    void removeRow(int row);
    void replaceRow(int row, const RowCache& source, int sourceRow);

    int rowCount() const { return int(rowIds_.size()); }
    int columnCount() const { return columnCount_; }
    qint64 rowId(int row) const { return rowIds_[size_t(row)]; }

    Kind kind(int row, int column) const { return cell(row, column).kind; }
    qint64 integer(int row, int column) const { return cell(row, column).value; }
    double real(int row, int column) const;
    // The bytes of a Text or Blob value.
    QByteArrayView bytes(int row, int column) const;

    // Whether a row holds the same values as a row of another cache with
    // the same columns. Values left in the file count as the same.
    bool sameValues(int row, const RowCache& other, int otherRow) const;

    // Bytes held, for memory accounting.
    size_t heldBytes() const;

private:
    struct Cell
    {
        qint64 value = 0; // the integer, the double's bits, or where the bytes are (see place())
        quint32 size = 0; // byte count of a Text or Blob value
        Kind kind = Kind::Null;
    };

    size_t firstCell(int row) const { return size_t(row) * size_t(columnCount_); }
    const Cell& cell(int row, int column) const { return cells_[firstCell(row) + size_t(column)]; }
    QByteArrayView bytes(const Cell& cell) const;
    void appendBytes(Kind kind, QByteArrayView bytes);
    // Stores bytes in the last block, or a new one when they do not fit, and
    // gives their place: the block's index in the high half, the offset in
    // the low half.
    qint64 place(QByteArrayView bytes);
    // A copy of another cache's cell, its bytes copied into this buffer.
    Cell copiedCell(const RowCache& source, const Cell& cell);

    int columnCount_ = 0;
    std::vector<Cell> cells_;
    std::vector<qint64> rowIds_;
    std::vector<std::string> blocks_; // each reserved once and never grown past it
};
