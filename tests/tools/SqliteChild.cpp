// What another program does to a bank, in a process of its own, for the
// crash tests:
//   sqlite_child write-and-die BANK  rewrites every material with a cache of
//                                    one page (so that changed pages spill
//                                    into the bank file before the commit)
//                                    and is killed before it commits
//   sqlite_child hold-read BANK      holds a read transaction (SQLite's
//                                    shared lock), says "reading" on stdout
//                                    and waits until it is killed

#include "store/SqliteFileName.h"

#include <QCoreApplication>
#include <QStringList>

#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <thread>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <csignal>
#endif

namespace {

// Ends the process at once, as a kill from outside does: no statement is
// finished, no connection closed.
[[noreturn]] void die()
{
#ifdef Q_OS_WIN
    TerminateProcess(GetCurrentProcess(), 9);
#else
    ::raise(SIGKILL);
#endif
    std::_Exit(9);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: sqlite_child write-and-die|hold-read BANK\n");
        return 2;
    }
    sqlite3* db = nullptr;
    if (sqlite3_open(sqliteFileName(arguments[2]).constData(), &db) != SQLITE_OK) {
        std::fprintf(stderr, "cannot open the bank: %s\n", sqlite3_errmsg(db));
        return 1;
    }
    if (arguments[1] == QLatin1String("write-and-die")) {
        sqlite3_exec(db,
                     "pragma cache_size = 1; begin;"
                     "update ziliao set memo = 'NEW ' || memo;"
                     "insert into ziliao(title, memo) select title, hex(randomblob(3000)) from ziliao;"
                     "insert into ziliao(title, memo) select title, hex(randomblob(3000)) from ziliao;"
                     "insert into ziliao(title, memo) select title, hex(randomblob(3000)) from ziliao;",
                     nullptr, nullptr, nullptr);
        die();
    }
    if (arguments[1] == QLatin1String("hold-read")) {
        sqlite3_exec(db, "begin; select count(*) from ziliao;", nullptr, nullptr, nullptr);
        std::puts("reading");
        std::fflush(stdout);
        for (;;)
            std::this_thread::sleep_for(std::chrono::hours(1));
    }
    std::fprintf(stderr, "unknown action\n");
    return 2;
}
