#include "store/AppendRows.h"

#include "store/RowCache.h"
#include "store/Statement.h"
#include "store/StoreError.h"

#include <QCoreApplication>

namespace {

// The bytes a statement's rows may take as they are read.
class ReadBudget
{
public:
    explicit ReadBudget(qint64 maxBytes)
        : maxBytes_(maxBytes)
    {
    }

    void spend(qint64 bytes)
    {
        spent_ += bytes;
        if (spent_ > maxBytes_)
            throw StoreError(QCoreApplication::translate("Store", "The rows take more than %1 MB; the bank may "
                                                                  "be damaged")
                                 .arg(maxBytes_ / (1024 * 1024)));
    }

private:
    qint64 maxBytes_;
    qint64 spent_ = 0;
};

// What holding one value costs besides its bytes: its cell, and a row its id.
constexpr qint64 cellCost = 16;
constexpr qint64 rowCost = 8;

} // namespace

void appendRows(Statement& statement, RowCache& rows, bool keyed, qint64 maxBytes)
{
    const int firstField = keyed ? 1 : 0;
    ReadBudget budget(maxBytes);
    while (statement.step()) {
        budget.spend(rowCost + cellCost * (statement.columnCount() - firstField));
        rows.beginRow(keyed ? statement.columnInt64(0) : 0);
        for (int i = firstField; i < statement.columnCount(); ++i) {
            switch (statement.columnType(i)) {
            case Statement::ColumnType::Null:
                rows.appendNull();
                break;
            case Statement::ColumnType::Integer:
                rows.appendInteger(statement.columnInt64(i));
                break;
            case Statement::ColumnType::Real:
                rows.appendReal(statement.columnDouble(i));
                break;
            case Statement::ColumnType::Text: {
                const QByteArrayView text = statement.columnText(i);
                budget.spend(text.size());
                rows.appendText(text);
                break;
            }
            case Statement::ColumnType::Blob:
                if (keyed) {
                    rows.appendDeferredBlob();
                } else {
                    const QByteArrayView bytes = statement.columnBlob(i);
                    budget.spend(bytes.size());
                    rows.appendBlob(bytes);
                }
                break;
            }
        }
    }
}
