// The import as the quenhar-bank program offers it: the import command, and
// build taking a Jet file for what its header says it is.

#include "JetFixtures.h"
#include "ToolFixtures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(ImportProgram, buildTakesAJetFileByItsHeaderWhateverItsName)
{
    SKIP_WITHOUT_JET_FIXTURES();
    QTemporaryDir dir;
    const QString source = pathIn(dir, QStringLiteral("old-bank.dat"));
    QFile::copy(JetFixtures::path(QStringLiteral("bank.mdb")), source);
    const QString bank = pathIn(dir, QStringLiteral("velmora.db"));

    const ProgramRun build = runQuenharBank({QStringLiteral("build"), source, bank});
    EXPECT_EQ(build.exitCode, 1) << "the fixture is too small for a mock exam: " << build.err.toStdString();
    EXPECT_TRUE(build.out.contains(QStringLiteral("Subjects: 24 rows"))) << build.out.toStdString();
    EXPECT_TRUE(build.out.contains(QStringLiteral("Result: the program will fail on this bank."))) << build.out.toStdString();
    EXPECT_EQ(tableRows(bank, QStringLiteral("Subjects")).size(), 24);
}

TEST(ImportProgram, importWritesTheBankAndItsCheck)
{
    SKIP_WITHOUT_JET_FIXTURES();
    QTemporaryDir dir;
    const QString bank = pathIn(dir, QStringLiteral("velmora.db"));
    const ProgramRun import = runQuenharBank({QStringLiteral("import"), JetFixtures::path(QStringLiteral("bank-password-encoded.mdb")), bank});
    EXPECT_EQ(import.exitCode, 1);
    EXPECT_TRUE(import.out.contains(QStringLiteral("classes: 6 rows"))) << import.out.toStdString();
    EXPECT_TRUE(import.out.contains(QStringLiteral("no mock exam can run"))) << import.out.toStdString();
    EXPECT_TRUE(import.err.contains(QStringLiteral("was written"))) << import.err.toStdString();
    EXPECT_EQ(tableRows(bank, QStringLiteral("ziliao")).size(), 3);
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
