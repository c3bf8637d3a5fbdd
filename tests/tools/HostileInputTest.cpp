// Hostile inputs to the bank tool: names that lead to devices, pipes and
// links, files that are too large, banks whose views never end or whose rows
// are too wide, banks in WAL mode that must not change, and runs killed
// half-way. Each must end with a message and leave every file as it was.

#include "tools/bankfile/NewBankFile.h"
#include "tools/bankfile/SqliteBankWriter.h"
#include "tools/commands/BuildCommand.h"
#include "tools/commands/CheckCommand.h"
#include "tools/commands/ExportCommand.h"
#include "tools/commands/StatsCommand.h"

#include "store/RegularFile.h"
#include "store/StoreError.h"

#include "support/TestBank.h"
#include "FileSystemFixtures.h"
#include "ToolFixtures.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>
#include <list>

namespace {

void makeFifoOrFail(const QString& path)
{
    ASSERT_TRUE(makeFifo(path));
}

void makeSymlink(const QString& target, const QString& link)
{
    ASSERT_TRUE(makeSymbolicLink(target, link));
}

// A file of `size` bytes that takes no room on disk.
void makeSparseFile(const QString& path, qint64 size)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(size));
}

// Puts `bank` in WAL mode and writes one category and `questions` questions,
// which stay in the log: nothing is checkpointed into the bank file.
void fillWalBank(TestBank& bank, int questions)
{
    bank.exec(QStringLiteral("pragma journal_mode = wal"));
    bank.exec(QStringLiteral("pragma wal_autocheckpoint = 0"));
    bank.addClass(101, QStringLiteral("驾驶证"));
    bank.addSubjects(1, questions, 101);
}

// The bytes of every file in a folder, hidden ones included.
QMap<QString, QByteArray> folderBytes(const QString& dir)
{
    QMap<QString, QByteArray> files;
    for (const QString& name : folderEntries(dir))
        files.insert(name, QCryptographicHash::hash(readFile(QDir(dir).filePath(name)), QCryptographicHash::Sha256));
    return files;
}

} // namespace

// Pictures and sources are read only from regular files, and only up to a
// limit the message names: a device or a pipe neither hangs nor fills the
// memory.
TEST(HostileInput, picturesAndSourcesAreReadOnlyFromRegularFilesOfBoundedSize)
{
    struct Case
    {
        const char* name;
        std::function<void(const QTemporaryDir&)> make; // makes "picture.png" or "bank.json"
        bool pictureCase;
        const char* expected;
        bool unixEntry; // a link or a FIFO: left out where none can be made (whyNoUnixEntries())
    };
    const Case cases[] = {
        {"picture naming /dev/zero", [](const QTemporaryDir& dir) { makeSymlink("/dev/zero", pathIn(dir, "picture.png")); },
         true, "not a regular file", true},
        {"picture that is a FIFO", [](const QTemporaryDir& dir) { makeFifoOrFail(pathIn(dir, "picture.png")); }, true,
         "not a regular file", true},
        {"picture that is a folder", [](const QTemporaryDir& dir) { QDir(dir.path()).mkdir("picture.png"); }, true,
         "is a folder", false},
        {"picture over 64 MB", [](const QTemporaryDir& dir) { makeSparseFile(pathIn(dir, "picture.png"), 65 << 20); },
         true, "larger than 64 MB", false},
        {"source that is a FIFO", [](const QTemporaryDir& dir) { makeFifoOrFail(pathIn(dir, "bank.json")); }, false,
         "not a regular file", true},
        {"source over 128 MB", [](const QTemporaryDir& dir) { makeSparseFile(pathIn(dir, "bank.json"), 129 << 20); },
         false, "larger than 128 MB", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.unixEntry && !whyNoUnixEntries().isEmpty())
            continue;
        QTemporaryDir dir;
        c.make(dir);
        if (c.pictureCase)
            writeFile(pathIn(dir, "bank.json"), jsonSource({jsonCategory()}, {jsonQuestion(1, R"(, "picture": "picture.png")")}));
        QElapsedTimer timer;
        timer.start();
        const CommandOutcome result =
            outcomeOf([&] { return BuildCommand::run({pathIn(dir, "bank.json"), {}, pathIn(dir, "out.db")}); });
        EXPECT_LT(timer.elapsed(), 5000);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_TRUE(result.text().contains(QString::fromUtf8(c.expected))) << result.text().toStdString();
        EXPECT_FALSE(RegularFile::entryExists(pathIn(dir, "out.db")));
    }
}

// A value longer than the tool writes is refused by the bind, naming the
// row, and no bank is left.
TEST(HostileInput, aValueTooLongForTheBankIsRefusedNotStoredAsNull)
{
    QTemporaryDir dir;
    BankContent content;
    content.categories.append({101, QStringLiteral("驾驶证"), 1});
    BankQuestion question;
    question.no = 7;
    question.category = 101;
    question.text = QString(2048, QLatin1Char('x'));
    content.questions.append(question);
    try {
        SqliteBankWriter::write(content, pathIn(dir, "out.db"), [](const BankQuestion&) { return std::nullopt; }, 1024);
        FAIL() << "the long text was written";
    } catch (const StoreError& error) {
        EXPECT_EQ(error.text(), QStringLiteral("question 7: a value is larger than 1 KB, the most the tool writes into a bank"));
    }
}

// check, stats and export read a bank in WAL mode without changing a byte
// of it, its log or its index, and see the rows that are still in the log.
TEST(HostileInput, readingAWalBankChangesNoneOfItsFiles)
{
    TestBank bank;
    fillWalBank(bank, 101);
    bank.addMaterial(QStringLiteral("记分"), QStringLiteral("说明"));
    ASSERT_TRUE(QFile::exists(bank.path() + "-wal"));
    ASSERT_TRUE(QFile::exists(bank.path() + "-shm"));

    // As the bank's writer left it (still open), and as a copy made while it
    // was open (as a killed writer leaves it).
    QTemporaryDir copy;
    for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
        ASSERT_TRUE(QFile::copy(bank.path() + suffix, pathIn(copy, "velmora.db") + suffix));

    // The tool runs as a process of its own, as it would beside the writer.
    for (const QString& path : {bank.path(), pathIn(copy, "velmora.db")}) {
        SCOPED_TRACE(path.toStdString());
        const QString folder = QFileInfo(path).path();
        const auto before = folderBytes(folder);

        const ProgramRun check = runQuenharBank({QStringLiteral("check"), path});
        EXPECT_EQ(check.exitCode, 0) << check.out.toStdString();
        EXPECT_TRUE(check.out.contains(QStringLiteral("questions: 101"))); // the rows in the log
        const ProgramRun stats = runQuenharBank({QStringLiteral("stats"), path});
        EXPECT_TRUE(stats.out.startsWith(QStringLiteral("Questions: 101"))) << stats.out.toStdString();
        QTemporaryDir out;
        EXPECT_EQ(runQuenharBank({QStringLiteral("export"), path, out.path()}).exitCode, 0);

        EXPECT_EQ(folderBytes(folder), before);
    }
}

// A WAL bank without its log, or with a log but no index, is read without
// making either file; the second cannot be read without writing, and says so.
TEST(HostileInput, aWalBankWithoutItsIndexIsNeitherChangedNorMisread)
{
    TestBank bank;
    fillWalBank(bank, 3);

    QTemporaryDir merged; // the writer closed cleanly: no log, no index
    {
        TestBank source;
        source.exec(QStringLiteral("pragma journal_mode = wal"));
        source.addClass(101, QStringLiteral("驾驶证"));
        source.addSubjects(1, 3, 101);
        source.exec(QStringLiteral("pragma wal_checkpoint(truncate)"));
        ASSERT_TRUE(QFile::copy(source.path(), pathIn(merged, "velmora.db")));
    }
    QTemporaryDir logOnly; // a log whose index was lost
    ASSERT_TRUE(QFile::copy(bank.path(), pathIn(logOnly, "velmora.db")));
    ASSERT_TRUE(QFile::copy(bank.path() + "-wal", pathIn(logOnly, "velmora.db-wal")));

    const auto mergedBefore = folderBytes(merged.path());
    EXPECT_EQ(StatsCommand::count(pathIn(merged, "velmora.db")).total, 3);
    EXPECT_EQ(folderBytes(merged.path()), mergedBefore);

    const auto logOnlyBefore = folderBytes(logOnly.path());
    const CheckReport report = CheckCommand::check(pathIn(logOnly, "velmora.db"));
    EXPECT_EQ(report.count(CheckFinding::Kind::CannotOpen), 1);
    EXPECT_TRUE(report.toText(pathIn(logOnly, "velmora.db")).contains(QStringLiteral("has no index")));
    EXPECT_EQ(folderBytes(logOnly.path()), logOnlyBefore);
}

// A view that never ends, or whose rows are too wide for memory, ends
// check, stats and export within the limits, with a message that names the
// limit.
TEST(HostileInput, everyReadIsBoundedInTimeAndPerRowInSize)
{
    struct Case
    {
        const char* name;
        const char* view; // replaces Subjects
        Database::Limits limits;
        const char* expected;
        // Stats counts rows in SQL and gets no row of the view back, but
        // SQLite still makes the view's values that have side effects.
        bool statsReadsTheValues;
    };
    const char* endless = "with recursive r(n) as (select 1 union all select n + 1 from r) "
                          "select n as [no], 'q' as subject, 0 as result, 0 as classNo, 0 as passOnly, "
                          "101 as fatherNo, null as bmp from r";
    const char* wide = "select 1 as [no], randomblob(400000) as subject, randomblob(400000) as result, "
                       "randomblob(400000) as classNo, 0 as passOnly, 101 as fatherNo, null as bmp";
    const char* oneHugeValue = "select 1 as [no], randomblob(3000000) as subject, 0 as result, 0 as classNo, "
                               "0 as passOnly, 101 as fatherNo, null as bmp";
    const char* memoryHungry = "select 1 as [no], randomblob(3000000) as subject, randomblob(3000000) as result, "
                               "randomblob(3000000) as classNo, randomblob(3000000) as passOnly, "
                               "randomblob(3000000) as fatherNo, randomblob(3000000) as bmp, "
                               "randomblob(3000000) as extra1, randomblob(3000000) as extra2";
    const Case cases[] = {
        {"a view that never ends", endless, {300, 1 << 20, qint64(1) << 30}, "longer than 0.3 s", true},
        {"a row wider than the limit", wide, {30000, 1 << 20, qint64(1) << 30}, "a row holds more than 1 MB", false},
        {"a value longer than the limit", oneHugeValue, {30000, 1 << 20, qint64(1) << 30},
         "a value is larger than 1 MB", true},
        {"a row that needs more memory than allowed", memoryHungry, {30000, 4 << 20, 16 << 20},
         "more than 16 MB of memory", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestBank bank;
        bank.addClass(101, QStringLiteral("驾驶证"));
        bank.exec(QStringLiteral("drop table Subjects"));
        bank.exec(QStringLiteral("create view Subjects as %1").arg(QString::fromUtf8(c.view)));
        const QString expected = QString::fromUtf8(c.expected);

        QElapsedTimer timer;
        timer.start();
        const CheckReport report = CheckCommand::check(bank.path(), c.limits);
        EXPECT_FALSE(report.programWorks());
        EXPECT_TRUE(report.toText(bank.path()).contains(expected)) << report.toText(bank.path()).toStdString();

        try {
            const StatsCommand::Counts stats = StatsCommand::count(bank.path(), c.limits);
            EXPECT_FALSE(c.statsReadsTheValues) << "stats read the view to its end";
            EXPECT_EQ(stats.total, 1);
        } catch (const StoreError& error) {
            EXPECT_TRUE(c.statsReadsTheValues);
            EXPECT_TRUE(error.text().contains(expected)) << error.text().toStdString();
        }

        QTemporaryDir out;
        const CommandOutcome exported =
            outcomeOf([&] { return ExportCommand::run({bank.path(), out.path(), false, c.limits}); });
        EXPECT_EQ(exported.exitCode, 1);
        EXPECT_TRUE(exported.text().contains(expected)) << exported.text().toStdString();
        EXPECT_TRUE(folderEntries(out.path()).isEmpty());
        // Three commands, each stopped by its limit.
        EXPECT_LT(timer.elapsed(), 3 * c.limits.timeLimitMs / 10 + 3000);
    }
}

// Export never writes through a link it did not make and never replaces an
// existing file without --force; with it, a link is replaced, not followed.
TEST(HostileInput, exportNeitherFollowsLinksNorOverwritesWithoutForce)
{
    TestBank bank;
    bank.addClass(101, QStringLiteral("驾驶证"));
    bank.addSubject({7, QStringLiteral("有图"), 0, 0, 0, 101, makeBitmap(2, 2)});

    struct Case
    {
        const char* name;
        std::function<void(const QString& out, const QString& victim)> plant;
        int exitWithoutForce;
        int exitWithForce;
        bool link; // left out where no symbolic link can be made (whyNoUnixEntries())
    };
    const Case cases[] = {
        {"a picture name linked to another file",
         [](const QString& out, const QString& victim) {
             QDir(out).mkdir("pictures");
             makeSymlink(victim, out + "/pictures/7.bmp");
         },
         2, 0, true},
        {"bank.json as a dangling link",
         [](const QString& out, const QString& victim) { makeSymlink(victim + ".new", out + "/bank.json"); }, 2, 0,
         true},
        {"the pictures folder linked elsewhere",
         [](const QString& out, const QString& victim) { makeSymlink(QFileInfo(victim).path(), out + "/pictures"); },
         1, 1, true},
        {"an existing picture file",
         [](const QString& out, const QString&) { writeFile(out + "/pictures/7.bmp", "mine"); }, 2, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.link && !whyNoUnixEntries().isEmpty())
            continue;
        QTemporaryDir elsewhere;
        const QString victim = pathIn(elsewhere, "victim.txt");
        writeFile(victim, "precious");
        QTemporaryDir out;
        c.plant(out.path(), victim);

        EXPECT_EQ(outcomeOf([&] { return ExportCommand::run({bank.path(), out.path(), false}); }).exitCode,
                  c.exitWithoutForce);
        EXPECT_EQ(outcomeOf([&] { return ExportCommand::run({bank.path(), out.path(), true}); }).exitCode,
                  c.exitWithForce);
        EXPECT_EQ(folderEntries(elsewhere.path()), QStringList{QStringLiteral("victim.txt")});
        EXPECT_EQ(readFile(victim), QByteArray("precious"));
        if (c.exitWithForce == 0) {
            EXPECT_EQ(readFile(out.path() + "/pictures/7.bmp"), makeBitmap(2, 2));
            EXPECT_FALSE(QFileInfo(out.path() + "/pictures/7.bmp").isSymLink());
            EXPECT_FALSE(QFileInfo(out.path() + "/bank.json").isSymLink());
        }
    }
}

// build never follows a dangling link at its output: without --force it
// refuses, with it the link itself is replaced by the bank.
TEST(HostileInput, buildReplacesALinkedOutputOnlyWithForceAndNeverWritesThroughIt)
{
    if (!whyNoUnixEntries().isEmpty())
        GTEST_SKIP() << whyNoUnixEntries().toStdString();
    QTemporaryDir dir;
    QTemporaryDir elsewhere;
    writeFile(pathIn(dir, "bank.json"), jsonSource({jsonCategory()}, {jsonQuestion(1)}));
    makeSymlink(pathIn(elsewhere, "target.db"), pathIn(dir, "out.db"));

    EXPECT_EQ(outcomeOf([&] { return BuildCommand::run({pathIn(dir, "bank.json"), {}, pathIn(dir, "out.db")}); }).exitCode,
              2);
    EXPECT_TRUE(QFileInfo(pathIn(dir, "out.db")).isSymLink());
    EXPECT_TRUE(folderEntries(elsewhere.path()).isEmpty());

    const CommandOutcome forced =
        outcomeOf([&] { return BuildCommand::run({pathIn(dir, "bank.json"), {}, pathIn(dir, "out.db"), true}); });
    EXPECT_EQ(forced.exitCode, 0) << forced.text().toStdString();
    EXPECT_FALSE(QFileInfo(pathIn(dir, "out.db")).isSymLink());
    EXPECT_EQ(tableRows(pathIn(dir, "out.db"), QStringLiteral("Subjects")).size(), 1);
    EXPECT_TRUE(folderEntries(elsewhere.path()).isEmpty());
    EXPECT_EQ(folderEntries(dir.path()), (QStringList{QStringLiteral("bank.json"), QStringLiteral("out.db")}));
}

// Temporary files of earlier runs are removed when their run is gone; the
// file of a run still going, fresh files, links and other names stay.
TEST(HostileInput, aNewRunRemovesOnlyTheStaleTemporaryFilesOfKilledRuns)
{
    QTemporaryDir dir;
    const QString output = pathIn(dir, "velmora.db");
    const auto age = [](const QString& path) { ASSERT_TRUE(setModifiedTime(path, 1000000000)); };
    struct Entry
    {
        const char* name;
        bool old;
        bool locked;
        bool stays;
    };
    const Entry entries[] = {
        {".velmora.db.Ab3xYz.tmp", true, false, false}, // a killed run's
        {".velmora.db.Q1w2E3.tmp", true, true, true},   // a run still going
        {".velmora.db.Zz9Zz9.tmp", false, false, true}, // made after this run started
        {".other.db.Ab3xYz.tmp", true, false, true},    // another output's
        {".velmora.db.Ab3x.tmp", true, false, true},    // not a name the tool makes
        {"velmora.db.Ab3xYz.tmp", true, false, true},   // not hidden
    };
    std::list<RunningLock> locks;
    NewBankFile file(output);
    for (const Entry& entry : entries) {
        writeFile(pathIn(dir, entry.name), "half a bank");
        if (entry.old)
            age(pathIn(dir, entry.name));
        if (entry.locked)
            ASSERT_TRUE(locks.emplace_back(pathIn(dir, entry.name)).held());
    }
    // A link with a temporary file's name, where one can be made.
    const bool linked = whyNoUnixEntries().isEmpty();
    if (linked)
        makeSymlink(pathIn(dir, entries[1].name), pathIn(dir, ".velmora.db.Lnk001.tmp"));

    ASSERT_TRUE(file.create());
    EXPECT_EQ(file.removedStaleFiles(), QStringList{pathIn(dir, entries[0].name)});
    for (const Entry& entry : entries)
        EXPECT_EQ(QFile::exists(pathIn(dir, entry.name)), entry.stays) << entry.name;
    if (linked)
        EXPECT_TRUE(QFileInfo(pathIn(dir, ".velmora.db.Lnk001.tmp")).isSymLink());
}

// Builds killed half-way leave their temporary files; the next build removes
// them, so none stays for good.
TEST(HostileInput, killedBuildsLeaveNothingForGood)
{
    QTemporaryDir dir;
    QImage picture(600, 600, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    const QByteArray png = encoded(picture, "PNG");
    QStringList questions;
    for (int no = 1; no <= 60; ++no) {
        writeFile(pathIn(dir, QStringLiteral("p%1.png").arg(no)), png);
        questions.append(jsonQuestion(no, QStringLiteral(R"(, "picture": "p%1.png")").arg(no)));
    }
    writeFile(pathIn(dir, "bank.json"), jsonSource({jsonCategory()}, questions));
    const QString output = pathIn(dir, "out/velmora.db");
    QDir(dir.path()).mkdir("out");
    const QStringList arguments{QStringLiteral("build"), QStringLiteral("--force"), pathIn(dir, "bank.json"), output};

    // Each run is killed once its own temporary file is there; it removed
    // the one the run before it left.
    QStringList left;
    for (int i = 0; i < 3; ++i) {
        QProcess build;
        build.start(QStringLiteral(QUENHAR_BANK_PROGRAM), arguments);
        ASSERT_TRUE(build.waitForStarted());
        QElapsedTimer timer;
        timer.start();
        const auto ownFileIsThere = [&] {
            const QStringList now = folderEntries(pathIn(dir, "out"));
            return std::any_of(now.cbegin(), now.cend(), [&](const QString& name) { return !left.contains(name); });
        };
        while (!ownFileIsThere() && timer.elapsed() < 20000)
            QThread::msleep(1);
        build.kill();
        build.waitForFinished();
        const QStringList now = folderEntries(pathIn(dir, "out"));
        ASSERT_EQ(now.size(), 1) << now.join(' ').toStdString();
        EXPECT_TRUE(NewBankFile::isTemporaryNameFor(now[0], output)) << now[0].toStdString();
        EXPECT_NE(now, left);
        left = now;
    }

    const ProgramRun run = runQuenharBank(arguments);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(folderEntries(pathIn(dir, "out")), QStringList{QStringLiteral("velmora.db")});
    EXPECT_TRUE(run.err.contains(QStringLiteral("left by an earlier run that was stopped"))) << run.err.toStdString();
}

// A write the system refuses (here: a file size limit, as a full disk or a
// quota refuses one) ends build and export with the system's reason in
// words, exit 1, and no file half written.
TEST(HostileInput, aRefusedWriteIsSaidPlainlyAndLeavesNothingHalfWritten)
{
    QTemporaryDir dir;
    QImage noise(300, 300, QImage::Format_RGB32);
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 300; ++x)
            noise.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, (x * y) % 256));
    writeFile(pathIn(dir, "noise.png"), encoded(noise, "PNG")); // a 270 KB bitmap once stored
    writeFile(pathIn(dir, "bank.json"), jsonSource({jsonCategory()}, {jsonQuestion(1, R"(, "picture": "noise.png")")}));
    const QString bank = pathIn(dir, "big.db");
    ASSERT_EQ(BuildCommand::run({pathIn(dir, "bank.json"), {}, bank}).exitCode, 0);
    QDir(dir.path()).mkdir("out");
    QDir(dir.path()).mkdir("export");

    const struct
    {
        const char* name;
        QStringList arguments;
        QString folder;
        QString expected;
    } cases[] = {
        {"build", {QStringLiteral("build"), pathIn(dir, "bank.json"), pathIn(dir, "out/velmora.db")}, pathIn(dir, "out"),
         QStringLiteral("the bank cannot be written: the disk refused the write; it may be full, or the file too "
                        "large for it")},
        {"export", {QStringLiteral("export"), bank, pathIn(dir, "export")}, pathIn(dir, "export"),
         QStringLiteral("the file is too large for this disk or this user")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QProcess process;
        const QString noLimit = limitFileSize(process, 64 * 1024);
        if (!noLimit.isEmpty())
            GTEST_SKIP() << noLimit.toStdString();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(QUENHAR_BANK_PROGRAM), c.arguments);
        ASSERT_TRUE(process.waitForFinished(60000));
        const QString err = QString::fromUtf8(process.readAllStandardError());
        EXPECT_EQ(process.exitCode(), 1) << err.toStdString();
        EXPECT_TRUE(err.contains(c.expected)) << err.toStdString();
        EXPECT_FALSE(err.contains(QStringLiteral("Unknown error")));
        const QStringList left = folderEntries(c.folder);
        EXPECT_TRUE(left.isEmpty() || left == QStringList{QStringLiteral("pictures")}) << left.join(' ').toStdString();
        if (!left.isEmpty())
            EXPECT_TRUE(folderEntries(c.folder + "/pictures").isEmpty());
    }
}
