#include "store/RowCache.h"

#include <algorithm>
#include <cstring>

namespace {

// Blocks start small and double up to a megabyte, so that a set of a few
// rows holds little more than its bytes and a large one is not fragmented.
constexpr size_t firstBlockSize = 4 * 1024;
constexpr size_t largestBlockSize = 1024 * 1024;

} // namespace

void RowCache::reset(int columnCount)
{
    *this = RowCache();
    columnCount_ = columnCount;
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

qint64 RowCache::place(QByteArrayView bytes)
{
    const auto size = size_t(bytes.size());
    if (blocks_.empty() || blocks_.back().capacity() - blocks_.back().size() < size) {
        const size_t next = blocks_.empty() ? firstBlockSize
                                            : std::min(blocks_.back().capacity() * 2, largestBlockSize);
        blocks_.emplace_back();
        blocks_.back().reserve(std::max(next, size));
    }
    std::string& block = blocks_.back();
    const auto offset = qint64(block.size());
    block.append(bytes.constData(), size);
    return (qint64(blocks_.size() - 1) << 32) | offset;
}

void RowCache::appendBytes(Kind kind, QByteArrayView bytes)
{
    cells_.push_back(Cell{place(bytes), quint32(bytes.size()), kind});
}

RowCache::Cell RowCache::copiedCell(const RowCache& source, const Cell& cell)
{
    if (cell.kind != Kind::Text && cell.kind != Kind::Blob)
        return cell;
    return Cell{place(source.bytes(cell)), cell.size, cell.kind};
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
    return bytes(cell(row, column));
}

QByteArrayView RowCache::bytes(const Cell& cell) const
{
    const std::string& block = blocks_[size_t(cell.value >> 32)];
    return QByteArrayView(block.c_str() + (cell.value & 0xffffffff), qsizetype(cell.size));
}

bool RowCache::sameValues(int row, const RowCache& other, int otherRow) const
{
    for (int column = 0; column < columnCount_; ++column) {
        const Cell& mine = cell(row, column);
        const Cell& theirs = other.cell(otherRow, column);
        if (mine.kind != theirs.kind)
            return false;
        switch (mine.kind) {
        case Kind::Integer:
        case Kind::Real: // the same bits
            if (mine.value != theirs.value)
                return false;
            break;
        case Kind::Text:
        case Kind::Blob:
            if (bytes(mine) != other.bytes(theirs))
                return false;
            break;
        case Kind::Null:
        case Kind::DeferredBlob:
            break;
        }
    }
    return true;
}

size_t RowCache::heldBytes() const
{
    size_t held = cells_.capacity() * sizeof(Cell) + rowIds_.capacity() * sizeof(qint64);
    for (const std::string& block : blocks_)
        held += block.capacity();
    return held;
}
