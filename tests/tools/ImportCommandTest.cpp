// Imports the Jet fixtures with the real reader process and compares the new
// banks, value by value, with bank.expected.json; then files that are cut
// short or damaged.

#include "JetFixtures.h"
#include "ToolFixtures.h"

#include "tools/commands/CheckCommand.h"
#include "tools/commands/ImportCommand.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <random>

namespace {

using namespace std::chrono_literals;

CommandOutcome import(const QString& source, const QString& output, bool force = false,
                      std::chrono::milliseconds limit = 60s)
{
    return outcomeOf(
        [&] { return ImportCommand::run({source, output, force, QStringLiteral(QUENHAR_BANK_PROGRAM), limit}); });
}

QJsonArray expectedTables()
{
    return QJsonDocument::fromJson(readFile(JetFixtures::path(QStringLiteral("bank.expected.json"))))
        .object()
        .value(QStringLiteral("tables"))
        .toArray();
}

// Why the stored value differs from the expected one, or nothing when it
// does not: integers must be stored as integers, text as text, pictures as
// bytes with the listed length and checksum, null as null.
QString difference(const QJsonValue& expected, sqlite3_stmt* row, int column)
{
    const int type = sqlite3_column_type(row, column);
    if (expected.isNull())
        return type == SQLITE_NULL ? QString() : QStringLiteral("expected null, got type %1").arg(type);
    if (expected.isDouble()) {
        if (type != SQLITE_INTEGER)
            return QStringLiteral("expected the integer %1, got type %2").arg(expected.toInteger()).arg(type);
        return sqlite3_column_int64(row, column) == expected.toInteger()
            ? QString()
            : QStringLiteral("expected %1, got %2").arg(expected.toInteger()).arg(sqlite3_column_int64(row, column));
    }
    if (expected.isString()) {
        if (type != SQLITE_TEXT)
            return QStringLiteral("expected text, got type %1").arg(type);
        const QString stored = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(row, column)),
                                                 sqlite3_column_bytes(row, column));
        return stored == expected.toString()
            ? QString()
            : QStringLiteral("expected %1 characters \"%2\", got %3 characters \"%4\"")
                  .arg(expected.toString().size())
                  .arg(expected.toString().left(40))
                  .arg(stored.size())
                  .arg(stored.left(40));
    }
    const QJsonObject picture = expected.toObject();
    if (type != SQLITE_BLOB)
        return QStringLiteral("expected a picture, got type %1").arg(type);
    const QByteArray bytes(static_cast<const char*>(sqlite3_column_blob(row, column)),
                           sqlite3_column_bytes(row, column));
    const QString checksum = QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
    if (bytes.size() != picture.value(QStringLiteral("bytes")).toInteger()
        || checksum != picture.value(QStringLiteral("sha256")).toString())
        return QStringLiteral("picture of %1 bytes, sha256 %2 differs").arg(bytes.size()).arg(checksum);
    return {};
}

// Compares every row of every table bank.expected.json lists with the bank,
// in stored order, and returns the number of values compared.
int compareWithExpected(const QString& bankPath)
{
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open_v2(QFile::encodeName(bankPath).constData(), &db, SQLITE_OPEN_READONLY, nullptr),
              SQLITE_OK);
    int compared = 0;
    for (const QJsonValue& tableValue : expectedTables()) {
        const QJsonObject table = tableValue.toObject();
        const QString name = table.value(QStringLiteral("name")).toString();
        QStringList columns;
        for (const QJsonValue& column : table.value(QStringLiteral("columns")).toArray())
            columns.append(column.toObject().value(QStringLiteral("name")).toString());
        const QByteArray sql = QStringLiteral("select \"%1\" from \"%2\" order by rowid")
                                   .arg(columns.join(QStringLiteral("\", \"")), name)
                                   .toUtf8();
        sqlite3_stmt* row = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(db, sql.constData(), -1, &row, nullptr), SQLITE_OK) << sql.constData();
        const QJsonArray expectedRows = table.value(QStringLiteral("rows")).toArray();
        int rowIndex = 0;
        while (row && sqlite3_step(row) == SQLITE_ROW) {
            const QJsonObject expected = expectedRows.at(rowIndex).toObject();
            for (int c = 0; c < columns.size(); ++c) {
                const QString why = difference(expected.value(columns[c]), row, c);
                EXPECT_TRUE(why.isEmpty()) << name.toStdString() << " row " << rowIndex + 1 << " "
                                           << columns[c].toStdString() << ": " << why.toStdString();
                ++compared;
            }
            ++rowIndex;
        }
        EXPECT_EQ(rowIndex, expectedRows.size()) << name.toStdString();
        sqlite3_finalize(row);
    }
    sqlite3_close(db);
    return compared;
}

class ImportCommandOfFixture : public testing::TestWithParam<const char*>
{
};

} // namespace

// bank.mdb has no password; the other two have a database password, and the
// last one RC4-encoded pages as well. None needs the password to be read.
TEST_P(ImportCommandOfFixture, importsEveryValueAsBankExpectedJsonListsIt)
{
    SKIP_WITHOUT_JET_FIXTURES();
    QTemporaryDir dir;
    const QString bank = pathIn(dir, QStringLiteral("velmora.db"));
    const CommandOutcome result = import(JetFixtures::path(QString::fromLatin1(GetParam())), bank);

    ASSERT_FALSE(result.stopped) << result.text().toStdString();
    // The fixture is too small for a mock exam and holds two pictures that
    // are no bitmaps, so the check the import ends with finds faults.
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_FALSE(CheckCommand::check(bank).programWorks());
    EXPECT_TRUE(result.report.contains(QStringLiteral("Subjects: 24 rows"))) << result.report.toStdString();
    EXPECT_TRUE(result.report.contains(QStringLiteral("Result: the program will fail on this bank.")))
        << result.report.toStdString();
    EXPECT_EQ(compareWithExpected(bank), 6 * 2 + 24 * 7 + 3 * 2);
}

INSTANTIATE_TEST_SUITE_P(JetFixtureFiles, ImportCommandOfFixture,
                         testing::Values("bank.mdb", "bank-password.mdb", "bank-password-encoded.mdb"));

TEST(ImportCommand, keepsTheLongMemoWholeAndTheCharacterOutsideTheBasicPlane)
{
    SKIP_WITHOUT_JET_FIXTURES();
    QTemporaryDir dir;
    const QString bank = pathIn(dir, QStringLiteral("velmora.db"));
    import(JetFixtures::path(QStringLiteral("bank.mdb")), bank);

    const QStringList materials = tableRows(bank, QStringLiteral("ziliao"));
    ASSERT_EQ(materials.size(), 3);
    // mdb-export and mdb-json stop this memo after 67,253 characters.
    const QString longMemo = materials[2].section(QLatin1Char('|'), 2).mid(QStringLiteral("text:").size());
    EXPECT_EQ(longMemo.size(), 100000);
    EXPECT_EQ(longMemo.toUtf8().size(), 297396);
    // libmdb converts text from UCS-2, so its own readers give "??" for
    // U+20BB7; the importer decodes the stored UTF-16 itself and keeps it.
    EXPECT_TRUE(materials[0].contains(QString::fromUtf8("\xF0\xA0\xAE\xB7"))) << materials[0].toStdString();
    EXPECT_FALSE(materials[0].contains(QStringLiteral("??")));
}

TEST(ImportCommand, keepsEachPictureAsStoredWithItsHeaderAndTellsEmptyFromNull)
{
    SKIP_WITHOUT_JET_FIXTURES();
    QTemporaryDir dir;
    const QString bank = pathIn(dir, QStringLiteral("velmora.db"));
    import(JetFixtures::path(QStringLiteral("bank.mdb")), bank);

    const QStringList subjects = tableRows(bank, QStringLiteral("Subjects"));
    const auto picture = [&subjects](int no) {
        for (const QString& row : subjects)
            if (row.startsWith(QStringLiteral("integer:%1|").arg(no)))
                return row.section(QLatin1Char('|'), 6);
        return QString();
    };
    // 1, 0x0100 and the length of the bitmap that follows (3238 bytes).
    EXPECT_TRUE(picture(20201).startsWith(QStringLiteral("blob:01000001a60c0000424d"))) << "the 8-byte header is kept";
    EXPECT_TRUE(picture(20101).startsWith(QStringLiteral("blob:424d"))) << "a bare bitmap stays bare";
    EXPECT_EQ(picture(20204), QStringLiteral("blob:"));
    EXPECT_EQ(picture(10101), QStringLiteral("null"));
}

TEST(ImportCommand, refusesTheTruncatedFileAndLeavesNoOutput)
{
    SKIP_WITHOUT_JET_FIXTURES();
    QTemporaryDir dir;
    const CommandOutcome result =
        import(JetFixtures::path(QStringLiteral("bank-truncated.mdb")), pathIn(dir, QStringLiteral("velmora.db")));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.text().contains(QStringLiteral("cut short"))) << result.text().toStdString();
    EXPECT_TRUE(result.text().contains(QStringLiteral("no bank was written")));
    EXPECT_TRUE(folderEntries(dir.path()).isEmpty()) << folderEntries(dir.path()).join(' ').toStdString();
}

// Cut at a page boundary, or padded out to one, the file's length no longer
// gives it away; the memo whose pages are missing still does.
TEST(ImportCommand, refusesATruncatedFileWhoseLengthIsWholePages)
{
    SKIP_WITHOUT_JET_FIXTURES();
    QTemporaryDir dir;
    const QByteArray whole = readFile(JetFixtures::path(QStringLiteral("bank.mdb")));
    const QByteArray truncated = readFile(JetFixtures::path(QStringLiteral("bank-truncated.mdb")));
    const QString cut = pathIn(dir, QStringLiteral("cut.mdb"));
    const QString padded = pathIn(dir, QStringLiteral("padded.mdb"));
    writeFile(cut, whole.left(truncated.size() / 4096 * 4096));
    writeFile(padded, truncated + QByteArray(4096 - truncated.size() % 4096, '\0'));

    for (const QString& source : {cut, padded}) {
        const CommandOutcome result = import(source, pathIn(dir, QStringLiteral("velmora.db")));
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_TRUE(result.text().contains(QStringLiteral("ziliao.memo"))) << result.text().toStdString();
        EXPECT_EQ(folderEntries(dir.path()), (QStringList{QStringLiteral("cut.mdb"), QStringLiteral("padded.mdb")}));
    }
}

TEST(ImportCommand, replacesAnExistingBankOnlyWhenForced)
{
    SKIP_WITHOUT_JET_FIXTURES();
    QTemporaryDir dir;
    const QString bank = pathIn(dir, QStringLiteral("velmora.db"));
    writeFile(bank, "an older bank");

    const CommandOutcome refused = import(JetFixtures::path(QStringLiteral("bank.mdb")), bank);
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_EQ(readFile(bank), QByteArray("an older bank"));

    const CommandOutcome forced = import(JetFixtures::path(QStringLiteral("bank.mdb")), bank, true);
    EXPECT_FALSE(forced.stopped) << forced.text().toStdString();
    EXPECT_EQ(tableRows(bank, QStringLiteral("classes")).size(), 6);
}

TEST(ImportCommand, refusesAFileThatIsNoJetDatabase)
{
    QTemporaryDir dir;
    const QString source = pathIn(dir, QStringLiteral("old.mdb"));
    writeFile(source, QByteArray(8192, 'x'));
    const CommandOutcome result = import(source, pathIn(dir, QStringLiteral("velmora.db")));
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.text().contains(QStringLiteral("not a Jet database")));
    EXPECT_EQ(folderEntries(dir.path()), QStringList{QStringLiteral("old.mdb")});
}

// Randomly damaged files have made libmdb crash and loop; whatever a file
// does to the reader, the import ends with a bank and its check, or with a
// message and nothing written.
TEST(ImportCommand, survivesDamagedFilesAndWritesNothingWhenItCannotRead)
{
    SKIP_WITHOUT_JET_FIXTURES();
    const QByteArray whole = readFile(JetFixtures::path(QStringLiteral("bank.mdb")));
    std::mt19937 random(7);
    int refused = 0;
    for (int file = 0; file < 24; ++file) {
        QByteArray damaged = whole;
        for (int hit = 0; hit < 2000; ++hit)
            damaged[qsizetype(0x100 + random() % quint32(whole.size() - 0x100))] = char(random() % 256);
        QTemporaryDir dir;
        const QString source = pathIn(dir, QStringLiteral("damaged.mdb"));
        writeFile(source, damaged);
        const QString bank = pathIn(dir, QStringLiteral("velmora.db"));

        const CommandOutcome result = import(source, bank, false, 20s);
        if (!result.stopped) {
            EXPECT_TRUE(QFile::exists(bank));
        } else {
            ++refused;
            EXPECT_EQ(result.exitCode, 1) << result.text().toStdString();
            EXPECT_TRUE(result.text().contains(QStringLiteral("no bank was written"))) << result.text().toStdString();
            EXPECT_EQ(folderEntries(dir.path()), QStringList{QStringLiteral("damaged.mdb")});
        }
    }
    EXPECT_GT(refused, 0) << "no damage was noticed in 24 damaged files";
}
