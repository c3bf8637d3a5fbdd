// Holds a bank locked the way another program's long write does: opens it,
// takes the exclusive lock (BEGIN EXCLUSIVE), says "locked" on stdout, keeps
// the lock until its standard input ends (the test closes it, or the test
// itself ends), then rolls back, so the file is left as it was. The test
// decides when the lock goes, however slow the machine.
//   bank_lock_holder <bank>

#include "store/SqliteFileName.h"

#include <QCoreApplication>

#include <sqlite3.h>

#include <cstdio>

int main(int argc, char** argv)
{
    // The arguments as the system passed them (in UTF-16 on Windows), so
    // that a bank in a folder with a Chinese name is found on any code page.
    const QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: %s <bank>\n", argv[0]);
        return 2;
    }
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(sqliteFileName(arguments[1]).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK
        || sqlite3_exec(db, "begin exclusive", nullptr, nullptr, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "cannot lock %s: %s\n", qPrintable(arguments[1]), sqlite3_errmsg(db));
        return 1;
    }
    std::puts("locked");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    sqlite3_exec(db, "rollback", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return 0;
}
