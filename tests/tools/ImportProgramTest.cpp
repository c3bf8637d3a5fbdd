// The import as the quenhar-bank program offers it: the import command, and
// build taking a Jet file for what its header says it is.

#include "JetFixtures.h"
#include "ToolFixtures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// import, and build given a Jet file (known by its header, whatever its
// name), write the bank and then its check, which fails: the fixtures are
// too small for a mock exam.
TEST(ImportProgram, importAndBuildWriteTheBankAndItsCheck)
{
    SKIP_WITHOUT_JET_FIXTURES();
    const struct
    {
        const char* command;
        const char* fixture;
        const char* sourceName; // the name the fixture is copied to
        QStringList out;
        QString err; // in the messages, when given
        const char* table;
        int rows;
    } cases[] = {
        {"build", "bank.mdb", "old-bank.dat",
         {QStringLiteral("Subjects: 24 rows"), QStringLiteral("Result: the program will fail on this bank.")},
         QString(), "Subjects", 24},
        {"import", "bank-password-encoded.mdb", "old.mdb",
         {QStringLiteral("classes: 6 rows"), QStringLiteral("no mock exam can run")}, QStringLiteral("was written"),
         "ziliao", 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        QTemporaryDir dir;
        const QString source = pathIn(dir, QString::fromLatin1(c.sourceName));
        ASSERT_TRUE(QFile::copy(JetFixtures::path(QString::fromLatin1(c.fixture)), source));
        const QString bank = pathIn(dir, QStringLiteral("velmora.db"));

        const ProgramRun run = runQuenharBank({QString::fromLatin1(c.command), source, bank});
        EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
        for (const QString& expected : c.out)
            EXPECT_TRUE(run.out.contains(expected)) << run.out.toStdString();
        if (!c.err.isEmpty())
            EXPECT_TRUE(run.err.contains(c.err)) << run.err.toStdString();
        EXPECT_EQ(tableRows(bank, QString::fromLatin1(c.table)).size(), c.rows);
    }
}

TEST(ImportProgram, importOfATruncatedFileFailsAndWritesNothing)
{
    SKIP_WITHOUT_JET_FIXTURES();
    QTemporaryDir dir;
    const ProgramRun import = runQuenharBank({QStringLiteral("import"), JetFixtures::path(QStringLiteral("bank-truncated.mdb")),
                                    pathIn(dir, QStringLiteral("velmora.db"))});
    EXPECT_EQ(import.exitCode, 1);
    EXPECT_TRUE(import.err.contains(QStringLiteral("cut short"))) << import.err.toStdString();
    EXPECT_TRUE(import.out.isEmpty());
    EXPECT_TRUE(folderEntries(dir.path()).isEmpty());
}

// A build that reads no Jet banks says so, and what to do instead, for
// import and for build given a Jet file; nothing is written.
TEST(ImportProgram, aBuildWithoutTheJetReaderSaysSoAndWritesNothing)
{
    if (JetReader::available())
        GTEST_SKIP() << "this build reads Jet banks";
    QTemporaryDir dir;
    const QString jetLooking = pathIn(dir, QStringLiteral("old.mdb"));
    QByteArray page(4096, '\0');
    page.replace(0, 20, QByteArray("\x00\x01\x00\x00Standard Jet DB\0", 20));
    writeFile(jetLooking, page);
    for (const char* command : {"import", "build"}) {
        SCOPED_TRACE(command);
        const ProgramRun run =
            runQuenharBank({QString::fromLatin1(command), jetLooking, pathIn(dir, QStringLiteral("velmora.db"))});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.contains(QStringLiteral("cannot read Jet (Access .mdb) banks"))
                    && run.err.contains(QStringLiteral("quenhar-bank import")))
            << run.err.toStdString();
        EXPECT_EQ(folderEntries(dir.path()), QStringList{QStringLiteral("old.mdb")});
    }
}

TEST(ImportProgram, importAndBuildRefuseWrongArguments)
{
    QTemporaryDir dir;
    const QString jetLooking = pathIn(dir, QStringLiteral("old.mdb"));
    QByteArray page(4096, '\0');
    page.replace(0, 20, QByteArray("\x00\x01\x00\x00Standard Jet DB\0", 20));
    writeFile(jetLooking, page);

    EXPECT_EQ(runQuenharBank({QStringLiteral("import"), jetLooking}).exitCode, 2);
    const ProgramRun withCategories = runQuenharBank({QStringLiteral("build"), QStringLiteral("--categories"), jetLooking,
                                            jetLooking, pathIn(dir, QStringLiteral("velmora.db"))});
    EXPECT_EQ(withCategories.exitCode, 2);
    EXPECT_TRUE(withCategories.err.contains(QStringLiteral("--categories"))) << withCategories.err.toStdString();
    EXPECT_EQ(folderEntries(dir.path()), QStringList{QStringLiteral("old.mdb")});
}
