// The bank tool after crashes and against outputs that would replace what
// it reads: a journal a killed writer left is never rolled into a new bank
// nor into the bank being read, a bank in use is not replaced, a damaged
// file fails the check, no output is one of the inputs, and an export that
// fails leaves the earlier one whole.

#include "tools/commands/BuildCommand.h"
#include "tools/commands/CheckCommand.h"
#include "tools/commands/ExportCommand.h"
#include "tools/commands/StatsCommand.h"

#include "support/TestBank.h"
#include "FileSystemFixtures.h"
#include "ToolFixtures.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <memory>

namespace {

const QString category = QStringLiteral(R"({"no": 101, "title": "驾驶证"})");

QString question(int no, const QString& extra = {})
{
    return QStringLiteral(R"({"no": %1, "category": 101, "type": "judge", "text": "题 %1", "answer": "对", )"
                          R"("mustAnswer": false%2})")
        .arg(no)
        .arg(extra);
}

QString material(const QString& text)
{
    return QStringLiteral(R"({"title": "资料", "text": "%1"})").arg(text);
}

// Builds a bank whose one material says `text`.
void buildBank(const QString& folder, const QString& bank, const QString& text, bool force = false)
{
    const QString source = QDir(folder).filePath(QStringLiteral("src-%1.json").arg(text));
    writeFile(source, jsonSource({category}, {question(1), question(2)}, {material(text)}));
    const CommandOutcome built = outcomeOf([&] { return BuildCommand::run({source, {}, bank, force}); });
    ASSERT_EQ(built.exitCode, 0) << built.text().toStdString();
}

// Every file under `folder` (hidden ones included) with a hash of its bytes.
QStringList contents(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.append(QDir(folder).relativeFilePath(path) + QLatin1Char(' ')
                     + QString::fromLatin1(QCryptographicHash::hash(readFile(path), QCryptographicHash::Sha1).toHex()));
    }
    files.sort();
    return files;
}

// What SQLite itself leaves when a program is killed in the middle of a
// write: a child process (SqliteChild.cpp) rewrites every material with a
// cache of one page and is killed before it commits. The bank file is then
// half written and its journal is hot.
void killWriterMidTransaction(const QString& bank)
{
    QProcess child;
    child.start(QStringLiteral(QUENHAR_SQLITE_CHILD), {QStringLiteral("write-and-die"), bank});
    ASSERT_TRUE(child.waitForFinished(60000));
    // Killed by a signal on Unix; ended by TerminateProcess, with its code,
    // on Windows.
    ASSERT_TRUE(child.exitStatus() == QProcess::CrashExit || child.exitCode() == 9)
        << child.readAllStandardError().toStdString();
}

// A child process that holds a read transaction on `bank` (SQLite's shared
// lock) until it is killed; nothing when it does not start reading.
std::unique_ptr<QProcess> readerHoldingTheBank(const QString& bank)
{
    auto child = std::make_unique<QProcess>();
    child->start(QStringLiteral(QUENHAR_SQLITE_CHILD), {QStringLiteral("hold-read"), bank});
    if (!child->waitForReadyRead(60000) || !child->readAllStandardOutput().startsWith("reading")) {
        child->kill();
        child->waitForFinished();
        return nullptr;
    }
    return child;
}

QStringList materials(const QString& bank)
{
    QStringList memos;
    for (const QString& row : tableRows(bank, QStringLiteral("ziliao")))
        memos.append(row.section(QLatin1Char('|'), -1));
    return memos;
}

} // namespace

TEST(CrashSafety, aHotJournalIsReadFromARecoveredCopyAndNeverRolledIntoANewBank)
{
    QTemporaryDir dir;
    const QString bank = QDir(dir.path()).filePath(QStringLiteral("velmora.db"));
    buildBank(dir.path(), bank, QStringLiteral("OLD"));
    killWriterMidTransaction(bank);
    ASSERT_TRUE(QFileInfo::exists(bank + QStringLiteral("-journal")));
    const QByteArray halfWritten = readFile(bank);
    const QByteArray journal = readFile(bank + QStringLiteral("-journal"));

    // check, stats and export read the bank as its last commit left it,
    // and change neither file.
    const CheckReport report = CheckCommand::check(bank);
    EXPECT_TRUE(report.programWorks()) << report.toText(bank).toStdString();
    EXPECT_EQ(report.count(CheckFinding::Kind::HotJournal), 1);
    EXPECT_EQ(report.count(CheckFinding::Kind::Damaged), 0);
    EXPECT_EQ(StatsCommand::count(bank).total, 2);
    const QString out = QDir(dir.path()).filePath(QStringLiteral("export"));
    const CommandOutcome exported = outcomeOf([&] { return ExportCommand::run({bank, out, false}); });
    ASSERT_EQ(exported.exitCode, 0) << exported.text().toStdString();
    const QByteArray json = readFile(out + QStringLiteral("/bank.json"));
    EXPECT_TRUE(json.contains("\"OLD\"")) << json.toStdString();
    EXPECT_FALSE(json.contains("NEW"));
    EXPECT_EQ(readFile(bank), halfWritten);
    EXPECT_EQ(readFile(bank + QStringLiteral("-journal")), journal);

    // A new bank put in its place takes none of the old pages.
    buildBank(dir.path(), bank, QStringLiteral("FRESH"), true);
    EXPECT_FALSE(QFileInfo::exists(bank + QStringLiteral("-journal")));
    EXPECT_EQ(materials(bank), QStringList{QStringLiteral("text:FRESH")});
    const CheckReport fresh = CheckCommand::check(bank);
    EXPECT_TRUE(fresh.programWorks()) << fresh.toText(bank).toStdString();
    EXPECT_EQ(fresh.count(CheckFinding::Kind::HotJournal), 0);

    // So do the log and index a crashed WAL program left.
    writeFile(bank + QStringLiteral("-wal"), QByteArray(4096, '\x37'));
    writeFile(bank + QStringLiteral("-shm"), QByteArray(32768, '\0'));
    buildBank(dir.path(), bank, QStringLiteral("THIRD"), true);
    EXPECT_EQ(folderEntries(dir.path()).filter(QStringLiteral("velmora.db")), QStringList{QStringLiteral("velmora.db")});
    EXPECT_EQ(materials(bank), QStringList{QStringLiteral("text:THIRD")});
}

TEST(CrashSafety, aBankInUseIsNotReplacedAndADamagedOneFailsTheCheck)
{
    QTemporaryDir dir;
    const QString bank = QDir(dir.path()).filePath(QStringLiteral("velmora.db"));
    buildBank(dir.path(), bank, QStringLiteral("OLD"));
    const std::unique_ptr<QProcess> reader = readerHoldingTheBank(bank);
    ASSERT_TRUE(reader);
    const QByteArray before = readFile(bank);
    const QString source = QDir(dir.path()).filePath(QStringLiteral("new.json"));
    writeFile(source, jsonSource({category}, {question(1)}, {material(QStringLiteral("NEW"))}));
    const CommandOutcome refused = outcomeOf([&] { return BuildCommand::run({source, {}, bank, true}); });
    reader->kill();
    reader->waitForFinished();
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.text().contains(QStringLiteral("a program is using it"))) << refused.text().toStdString();
    EXPECT_EQ(readFile(bank), before);

    // A page that no table uses: the file reads, but SQLite's integrity
    // check fails, and so does the check.
    QByteArray damaged = before;
    const int pageSize = (quint8(damaged[16]) << 8) | quint8(damaged[17]);
    const quint32 pages = quint32(damaged.size() / pageSize) + 1;
    damaged.append(QByteArray(pageSize, '\0'));
    for (int i = 0; i < 4; ++i)
        damaged[28 + i] = char(pages >> (8 * (3 - i)));
    writeFile(bank, damaged);
    const CheckReport report = CheckCommand::check(bank);
    EXPECT_FALSE(report.programWorks());
    EXPECT_EQ(report.count(CheckFinding::Kind::Damaged), 1) << report.toText(bank).toStdString();
}

TEST(OutputSafety, anOutputIsNeverOneOfItsInputs)
{
    QTemporaryDir dir;
    const QString source = QDir(dir.path()).filePath(QStringLiteral("题库.csv"));
    const QByteArray sheet = "题号,题型,题干,答案,章节\n1,判断,题,对,101\n";
    const QByteArray categories = "章节,名称\n101,驾驶证\n";
    const QString categoriesFile = QDir(dir.path()).filePath(QStringLiteral("章节.csv"));
    const QString link = QDir(dir.path()).filePath(QStringLiteral("link.db"));
    const QString hardLink = QDir(dir.path()).filePath(QStringLiteral("hard.db"));
    const struct
    {
        const char* name;
        QString output;
        QString categories;
        bool symbolicLink;
    } cases[] = {
        {"the source itself", source, {}, false},
        {"a symbolic link to the source", link, {}, true},
        {"a hard link to the source", hardLink, {}, false},
        {"the categories' sheet", categoriesFile, categoriesFile, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // Left out where no symbolic link can be made (whyNoUnixEntries()).
        if (c.symbolicLink && !whyNoUnixEntries().isEmpty())
            continue;
        writeFile(source, sheet);
        writeFile(categoriesFile, categories);
        QFile::remove(link);
        QFile::remove(hardLink);
        if (whyNoUnixEntries().isEmpty())
            ASSERT_TRUE(makeSymbolicLink(source, link));
        ASSERT_TRUE(makeHardLink(source, hardLink));
        const CommandOutcome result =
            outcomeOf([&] { return BuildCommand::run({source, c.categories, c.output, true}); });
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_TRUE(result.text().contains(QStringLiteral("that the bank is built from"))) << result.text().toStdString();
        EXPECT_EQ(readFile(source), sheet);
        EXPECT_EQ(readFile(categoriesFile), categories);
    }

    // An export whose bank file would replace the bank it reads.
    TestBank bank;
    bank.addClass(101, QStringLiteral("驾驶证"));
    const QString out = QDir(dir.path()).filePath(QStringLiteral("out"));
    QDir().mkpath(out);
    ASSERT_TRUE(QFile::copy(bank.path(), out + QStringLiteral("/bank.json")));
    const QByteArray stored = readFile(out + QStringLiteral("/bank.json"));
    const CommandOutcome exported =
        outcomeOf([&] { return ExportCommand::run({out + QStringLiteral("/bank.json"), out, true}); });
    EXPECT_EQ(exported.exitCode, 2);
    EXPECT_EQ(readFile(out + QStringLiteral("/bank.json")), stored);
}

TEST(OutputSafety, aFailedForcedExportLeavesTheEarlierExportWholeAndAKilledOneLeavesNothingForGood)
{
    QTemporaryDir dir;
    TestBank first;
    first.addClass(101, QStringLiteral("驾驶证"));
    for (int no = 1; no <= 3; ++no)
        first.addSubject({no, QStringLiteral("旧题"), 0, 1, 0, 101, makeBitmap(4, 4, 0x00ff00)});
    TestBank second;
    second.addClass(101, QStringLiteral("驾驶证"));
    second.addSubject({1, QStringLiteral("新题"), 0, 1, 0, 101, makeBitmap(4, 4, 0x0000ff)});
    for (int no = 2; no <= 3; ++no)
        second.addSubject({no, QStringLiteral("新题"), 0, 1, 0, 101, makeBitmap(120, 120, 0x0000ff)});
    const QString out = QDir(dir.path()).filePath(QStringLiteral("export"));

    // A killed export leaves its folder; the next one removes it.
    QDir().mkpath(out + QStringLiteral("/.quenhar-export.AbC123/pictures"));
    writeFile(out + QStringLiteral("/.quenhar-export.AbC123/pictures/1.bmp"), "half");
    ASSERT_TRUE(setModifiedTime(out + QStringLiteral("/.quenhar-export.AbC123"), 1000));
    for (const char* format : {"json", "csv", "xlsx"}) {
        SCOPED_TRACE(format);
        const ExportCommand::Format kind = *ExportCommand::formatNamed(QString::fromLatin1(format));
        ASSERT_EQ(ExportCommand::run({first.path(), out, true, {}, kind}).exitCode, 0);
        const QStringList earlier = contents(out);
        EXPECT_TRUE(earlier.filter(QStringLiteral(".quenhar-export")).isEmpty()) << earlier.join('\n').toStdString();

        // The disk fills half-way through the second bank's pictures (where
        // the system can limit a process's files: limitFileSize).
        QProcess process;
        if (limitFileSize(process, 30 * 1024).isEmpty()) {
            process.start(QStringLiteral(QUENHAR_BANK_PROGRAM),
                          {QStringLiteral("export"), QStringLiteral("--force"), QStringLiteral("--format"),
                           QString::fromLatin1(format), second.path(), out});
            ASSERT_TRUE(process.waitForFinished(60000));
            EXPECT_EQ(process.exitCode(), 1) << process.readAllStandardError().toStdString();
            EXPECT_EQ(contents(out), earlier);
        }

        ASSERT_EQ(ExportCommand::run({second.path(), out, true, {}, kind}).exitCode, 0);
        EXPECT_EQ(readFile(out + QStringLiteral("/pictures/2.bmp")), makeBitmap(120, 120, 0x0000ff));
        EXPECT_TRUE(QDir(out).entryList(QDir::Hidden | QDir::AllEntries | QDir::NoDotAndDotDot)
                        .filter(QStringLiteral(".quenhar-export"))
                        .isEmpty());
    }
}

// SQLite opens no file whose absolute path is longer than 511 bytes; the
// tool says so, naming the file the user gave, instead of a bare "unable to
// open" about another file.
TEST(OutputSafety, aPathTooLongForSQLiteIsSaidAsSuch)
{
    // SQLite's own limit: 512 bytes on Unix; on Windows it may be longer
    // than any folder can be made.
    const int limit = sqlite3_vfs_find(nullptr)->mxPathname;
    if (limit > 2000)
        GTEST_SKIP() << "SQLite opens paths of up to " << limit << " bytes here";
    QTemporaryDir dir;
    QString deep = dir.path();
    while (QFile::encodeName(deep).size() < qMax(600, limit + 100))
        deep += QStringLiteral("/a-rather-long-folder-name");
    ASSERT_TRUE(QDir().mkpath(deep));
#ifdef Q_OS_WIN
    // Windows' own limit on a path comes first, and is the one said.
    const QString tooLong = QStringLiteral("characters long");
#else
    const QString tooLong = QStringLiteral("bytes long");
#endif
    writeFile(deep + QStringLiteral("/bank.json"), jsonSource({category}, {question(1)}));
    const CommandOutcome built = outcomeOf(
        [&] { return BuildCommand::run({deep + QStringLiteral("/bank.json"), {}, deep + QStringLiteral("/题库.db")}); });
    EXPECT_EQ(built.exitCode, 1);
    EXPECT_TRUE(built.text().contains(QStringLiteral("题库.db' is ")) && built.text().contains(tooLong))
        << built.text().toStdString();
    EXPECT_EQ(folderEntries(deep), QStringList{QStringLiteral("bank.json")});

    TestBank bank;
    bank.addClass(101, QStringLiteral("驾驶证"));
    ASSERT_TRUE(QFile::copy(bank.path(), deep + QStringLiteral("/velmora.db")));
    const CheckReport report = CheckCommand::check(deep + QStringLiteral("/velmora.db"));
    ASSERT_EQ(report.count(CheckFinding::Kind::CannotOpen), 1);
    EXPECT_TRUE(report.findings()[0].text.contains(tooLong)) << report.toText({}).toStdString();
}
