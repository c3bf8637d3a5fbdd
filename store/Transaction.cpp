#include "store/Transaction.h"

#include "store/Database.h"
#include "store/StoreError.h"

Transaction::Transaction(Database& db)
    : db_(db)
{
    db_.execute(QStringLiteral("begin immediate"));
}

Transaction::~Transaction()
{
    if (!open_)
        return;
    try {
        db_.execute(QStringLiteral("rollback"));
    } catch (const StoreError&) {
        // A failed rollback leaves SQLite to roll back when the connection
        // closes; a destructor must not throw.
    }
}

void Transaction::commit()
{
    db_.execute(QStringLiteral("commit"));
    open_ = false;
}
