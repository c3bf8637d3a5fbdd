#include "store/RowCache.h"

#include <cstring>

void RowCache::reset(int columnCount)
{
    columnCount_ = columnCount;
    cells_.clear();
    rowIds_.clear();
    buffer_.clear();
}

void RowCache::beginRow(qint64 rowId)
{
    rowIds_.push_back(rowId);
}

void RowCache::appendNull()
{
    cells_.push_back(Cell{});
}

void RowCache::appendInteger(qint64 value)
{
    cells_.push_back(Cell{value, 0, Kind::Integer});
}

void RowCache::appendReal(double value)
{
    qint64 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    cells_.push_back(Cell{bits, 0, Kind::Real});
}

void RowCache::appendText(QByteArrayView utf8)
{
    appendBytes(Kind::Text, utf8);
}

void RowCache::appendBlob(QByteArrayView bytes)
{
    appendBytes(Kind::Blob, bytes);
}

void RowCache::appendDeferredBlob()
{
    cells_.push_back(Cell{0, 0, Kind::DeferredBlob});
}

void RowCache::appendBytes(Kind kind, QByteArrayView bytes)
{
    const auto offset = qint64(buffer_.size());
    buffer_.append(bytes.data(), size_t(bytes.size()));
    cells_.push_back(Cell{offset, quint32(bytes.size()), kind});
}

RowCache::Cell RowCache::copiedCell(const RowCache& source, const Cell& cell)
{
    if (cell.kind != Kind::Text && cell.kind != Kind::Blob)
        return cell;
    const auto offset = qint64(buffer_.size());
    buffer_.append(source.buffer_, size_t(cell.value), size_t(cell.size));
    return Cell{offset, cell.size, cell.kind};
}

void RowCache::insertNullRow(int row, qint64 rowId)
{
    rowIds_.insert(rowIds_.begin() + row, rowId);
    cells_.insert(cells_.begin() + qsizetype(firstCell(row)), size_t(columnCount_), Cell{});
}

void RowCache::removeRow(int row)
{
    rowIds_.erase(rowIds_.begin() + row);
    const auto first = cells_.begin() + qsizetype(firstCell(row));
    cells_.erase(first, first + columnCount_);
}

void RowCache::replaceRow(int row, const RowCache& source, int sourceRow)
{
    rowIds_[size_t(row)] = source.rowId(sourceRow);
    for (int column = 0; column < columnCount_; ++column)
        cells_[firstCell(row) + size_t(column)] = copiedCell(source, source.cell(sourceRow, column));
}

double RowCache::real(int row, int column) const
{
    double value = 0;
    std::memcpy(&value, &cell(row, column).value, sizeof value);
    return value;
}

QByteArrayView RowCache::bytes(int row, int column) const
{
    const Cell& c = cell(row, column);
    return QByteArrayView(buffer_.data() + c.value, qsizetype(c.size));
}

size_t RowCache::heldBytes() const
{
    return cells_.capacity() * sizeof(Cell) + rowIds_.capacity() * sizeof(qint64) + buffer_.capacity();
}
