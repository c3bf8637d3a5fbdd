#include "store/SqliteFailure.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <sqlite3.h>

QString bankName(sqlite3* db)
{
    const char* path = db ? sqlite3_db_filename(db, "main") : nullptr;
    return path && *path ? QFileInfo(QString::fromUtf8(path)).fileName() : QStringLiteral("velmora.db");
}

QString sqliteFailureText(sqlite3* db, int code)
{
    const QString bank = bankName(db);
    const QString detail = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(code));
    QString text;
    switch (code & 0xff) {
    case SQLITE_READONLY:
        text = QCoreApplication::translate("Store", "The bank %1 cannot be written: it is read-only, or it was "
                                                    "moved or replaced while the program ran")
                   .arg(bank);
        break;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        text = QCoreApplication::translate("Store", "The bank %1 is being written by another program and stayed "
                                                    "busy too long")
                   .arg(bank);
        break;
    case SQLITE_FULL:
        text = QCoreApplication::translate("Store", "The disk holding the bank %1 is full").arg(bank);
        break;
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
        text = QCoreApplication::translate("Store", "The bank %1 could not be read or written").arg(bank);
        break;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        text = QCoreApplication::translate("Store", "The bank %1 is damaged").arg(bank);
        break;
    case SQLITE_TOOBIG:
        text = QCoreApplication::translate("Store", "A value is too big for the bank %1").arg(bank);
        break;
    case SQLITE_CONSTRAINT:
        text = QCoreApplication::translate("Store", "The bank %1 refused the change").arg(bank);
        break;
    case SQLITE_INTERRUPT:
        text = QCoreApplication::translate("Store", "The work on the bank %1 took too long and was stopped")
                   .arg(bank);
        break;
    default:
        text = QCoreApplication::translate("Store", "The bank %1 cannot be used as the program needs").arg(bank);
        break;
    }
    return QStringLiteral("%1 (%2)").arg(text, detail);
}
