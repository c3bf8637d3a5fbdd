#include "store/WriteFailure.h"

#include "store/Database.h"

#include <sqlite3.h>

namespace WriteFailure {

Kind last(const Database& db)
{
    const int code = sqlite3_errcode(db.handle());
    if (code == SQLITE_TOOBIG)
        return Kind::ValueTooBig;
    if (code == SQLITE_FULL)
        return Kind::DiskFull;
    if ((code & 0xff) == SQLITE_IOERR)
        return Kind::WriteRefused;
    return Kind::Other;
}

int lastSystemError(const Database& db)
{
    return sqlite3_system_errno(db.handle());
}

void limitValueBytes(Database& db, qint64 bytes)
{
    sqlite3_limit(db.handle(), SQLITE_LIMIT_LENGTH, int(qMin<qint64>(bytes, 0x7fffffff)));
}

} // namespace WriteFailure
