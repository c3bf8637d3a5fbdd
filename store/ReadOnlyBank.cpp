#include "store/ReadOnlyBank.h"

#include "store/OpenFailure.h"

#include "store/ConnectionHardening.h"
#include "store/RegularFile.h"
#include "store/StoreError.h"

#include <QFileInfo>
#include <QUrl>

#include <sqlite3.h>

namespace {

constexpr qint64 sqliteHeaderSize = 100;

// Bytes 18 and 19 of the header: the file format's write and read versions,
// 2 for WAL mode.
bool isWalMode(const QByteArray& header)
{
    return header.at(18) == 2 && header.at(19) == 2;
}

qint64 fileSize(const QString& path)
{
    return RegularFile::isRegular(path) ? QFileInfo(path).size() : -1;
}

// The URI parameters that let SQLite read the bank without writing any of
// its files (see the class comment); empty when there are none.
QString parametersFor(const QString& path, const QByteArray& header)
{
    if (!isWalMode(header))
        return QStringLiteral("mode=ro");
    const QString log = path + QStringLiteral("-wal");
    if (!RegularFile::entryExists(log) || fileSize(log) == 0)
        return QStringLiteral("immutable=1");
    if (fileSize(log) > 0 && RegularFile::isRegular(path + QStringLiteral("-shm")))
        return QStringLiteral("mode=ro&readonly_shm=1");
    return {};
}

} // namespace

ReadOnlyBank::ReadOnlyBank(const QString& path)
    : ReadOnlyBank(path, Limits())
{
}

ReadOnlyBank::ReadOnlyBank(const QString& path, const Limits& limits)
    : path_(path)
    , limits_(limits)
{
    if (const QString problem = OpenFailure::pathProblem(path); !problem.isEmpty())
        throw StoreError(problem);
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const RegularFile::Result header = RegularFile::readPrefix(absolute, sqliteHeaderSize);
    if (!header.bytes)
        throw StoreError(tr("'%1' %2").arg(path, header.error));
    if (header.bytes->size() < sqliteHeaderSize || !header.bytes->startsWith(QByteArray("SQLite format 3\0", 16)))
        throw StoreError(tr("'%1' is not an SQLite database").arg(path));

    parameters_ = parametersFor(absolute, *header.bytes);
    if (parameters_.isEmpty())
        throw StoreError(tr("'%1' is in WAL mode and its log %2 has no index %3: reading the log would change "
                            "the bank's files. Open the bank once with the program (which merges the log into "
                            "the bank) and try again.")
                             .arg(path, path + QStringLiteral("-wal"), path + QStringLiteral("-shm")));
    // A URI, so that the parameters apply; the path is percent-encoded, as
    // '?', '#' and '%' in a file name would otherwise be read as part of it.
    open(QStringLiteral("file:") + QString::fromLatin1(QUrl::toPercentEncoding(absolute, "/")) + QLatin1Char('?')
         + parameters_);
}

void ReadOnlyBank::open(const QString& uri)
{
    const int rc = sqlite3_open_v2(uri.toUtf8().constData(), &db_,
                                   SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const QString reason = db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QStringLiteral("out of memory");
        sqlite3_close(db_);
        db_ = nullptr;
        throw StoreError(tr("'%1' cannot be opened: %2").arg(path_, reason));
    }
    hardenConnection(db_);
    // No value longer than a row may hold is ever made.
    sqlite3_limit(db_, SQLITE_LIMIT_LENGTH, int(qMin<qint64>(limits_.maxRowBytes, 0x7fffffff)));
    // Checked between every two steps of the virtual machine, so that no
    // single step can build much beyond the limits.
    sqlite3_progress_handler(db_, 1, &ReadOnlyBank::onProgress, this);

    // Reading the schema proves that the file is a database SQLite can use.
    try {
        scalar(QStringLiteral("select count(*) from sqlite_master"));
    } catch (const StoreError& error) {
        sqlite3_close(db_);
        db_ = nullptr;
        throw StoreError(tr("'%1' cannot be opened: %2").arg(path_, error.text()));
    }
}

ReadOnlyBank::~ReadOnlyBank()
{
    sqlite3_close_v2(db_);
}

int ReadOnlyBank::onProgress(void* data)
{
    auto* bank = static_cast<ReadOnlyBank*>(data);
    if (bank->deadline_.hasExpired())
        bank->stop_ = Stop::Time;
    else if (sqlite3_memory_used() > bank->limits_.maxMemoryBytes)
        bank->stop_ = Stop::Memory;
    return bank->stop_ == Stop::None ? 0 : 1;
}

qint64 ReadOnlyBank::scalar(const QString& sql)
{
    Rows rows(*this, sql);
    return rows.next() ? rows.row().columnInt64(0) : 0;
}

ReadOnlyBank::Rows::Rows(ReadOnlyBank& bank, const QString& sql)
    : bank_(bank)
    , sql_(sql)
    , statement_(bank.db_, sql)
{
}

void ReadOnlyBank::Rows::raise(const QString& reason) const
{
    throw StoreError(tr("%1 (while reading \"%2\")").arg(reason, sql_));
}

bool ReadOnlyBank::Rows::next()
{
    const qint64 limitNs = qint64(bank_.limits_.timeLimitMs) * 1000000;
    bank_.stop_ = Stop::None;
    bank_.deadline_ = QDeadlineTimer(qMax<qint64>(0, limitNs - spentNs_) / 1000000);
    QElapsedTimer timer;
    timer.start();
    bool hasRow = false;
    try {
        hasRow = statement_.step();
    } catch (const StoreError& error) {
        bank_.deadline_ = QDeadlineTimer(QDeadlineTimer::Forever);
        switch (bank_.stop_) {
        case Stop::Time:
            raise(tr("reading took longer than %1 s, the limit; the bank may be damaged, or a view in it never "
                     "ends")
                      .arg(bank_.limits_.timeLimitMs / 1000.0));
        case Stop::Memory:
            raise(tr("reading needed more than %1 of memory, the limit; the bank may be damaged")
                      .arg(RegularFile::sizeText(bank_.limits_.maxMemoryBytes)));
        case Stop::None:
            break;
        }
        if (sqlite3_errcode(bank_.db_) == SQLITE_TOOBIG)
            raise(tr("a value is larger than %1, the limit for one row; the bank may be damaged")
                      .arg(RegularFile::sizeText(bank_.limits_.maxRowBytes)));
        raise(error.text());
    }
    bank_.deadline_ = QDeadlineTimer(QDeadlineTimer::Forever);
    spentNs_ += timer.nsecsElapsed();
    if (!hasRow)
        return false;

    qint64 bytes = 0;
    for (int i = 0; i < statement_.columnCount(); ++i) {
        // Only text and byte values have a size; asking a number's size
        // would turn it into text.
        const Statement::ColumnType type = statement_.columnType(i);
        if (type == Statement::ColumnType::Text)
            bytes += statement_.columnText(i).size();
        else if (type == Statement::ColumnType::Blob)
            bytes += statement_.columnBlob(i).size();
    }
    if (bytes > bank_.limits_.maxRowBytes)
        raise(tr("a row holds more than %1, the limit for one row; the bank may be damaged")
                  .arg(RegularFile::sizeText(bank_.limits_.maxRowBytes)));
    return true;
}
