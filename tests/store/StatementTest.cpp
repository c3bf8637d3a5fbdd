#include "store/Database.h"
#include "store/Statement.h"
#include "store/StoreError.h"

#include <QDir>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <gtest/gtest.h>

namespace {

class StatementTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    Database db{QDir(dir.path()).filePath(QStringLiteral("t.db")), Database::Mode::NewFile};

    void SetUp() override { db.execute(QStringLiteral("create table t (v)")); }

    QStringList kindsAndLengths()
    {
        QStringList rows;
        Statement read(db.handle(), QStringLiteral("select typeof(v) || ' ' || coalesce(length(v), '-') from t "
                                                   "order by rowid"));
        while (read.step())
            rows << QString::fromUtf8(read.columnText(0));
        return rows;
    }
};

} // namespace

TEST_F(StatementTest, oneInsertRunsOncePerRowWithEveryKindOfValue)
{
    Statement insert(db.handle(), QStringLiteral("insert into t values (?1)"));
    insert.bindInt64(1, 7);
    insert.execute();
    insert.bindReal(1, 2.5);
    insert.execute();
    insert.bindText(1, QStringLiteral("交规"));
    insert.execute();
    insert.bindBytes(1, QByteArray("\0\1", 2));
    insert.execute();
    insert.bindBytes(1, QByteArray()); // empty: an empty value, not null
    insert.execute();
    insert.bindBytes(1, std::nullopt);
    insert.execute();
    insert.execute(); // nothing bound: the previous row's value is not kept

    EXPECT_EQ(kindsAndLengths(), (QStringList{"integer 1", "real 3", "text 2", "blob 2", "blob 0", "null -", "null -"}));
}

TEST_F(StatementTest, aValueOrARowThatSqliteRefusesIsRaisedNotStoredAsNull)
{
    Statement insert(db.handle(), QStringLiteral("insert into t values (?1)"));
    const int lengthLimit = sqlite3_limit(db.handle(), SQLITE_LIMIT_LENGTH, 16);
    EXPECT_THROW(insert.bindText(1, QString(17, QLatin1Char('x'))), StoreError);
    EXPECT_THROW(insert.bindBytes(1, QByteArray(17, 'x')), StoreError);
    sqlite3_limit(db.handle(), SQLITE_LIMIT_LENGTH, lengthLimit);

    db.execute(QStringLiteral("create table u (v not null)"));

    Statement notNull(db.handle(), QStringLiteral("insert into u values (?1)"));
    EXPECT_THROW(notNull.execute(), StoreError);
    notNull.bindInt64(1, 1);
    EXPECT_NO_THROW(notNull.execute()); // a failed run leaves the statement usable
    EXPECT_TRUE(kindsAndLengths().isEmpty());
}
