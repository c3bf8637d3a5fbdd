// The reading child's failures as the importer sees them: a reader that
// crashes, hangs or stops early gives a clear error and leaves no bank.

#include "JetFixtures.h"
#include "ToolFixtures.h"

#include "tools/formats/jet/JetImport.h"
#include "tools/formats/jet/JetReadProcess.h"

#include "store/StoreError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

// A stand-in for the reading child: a shell script run in its place.
QString readerScript(const QString& dir, const QByteArray& body)
{
    const QString path = QDir(dir).filePath(QStringLiteral("reader.sh"));
    writeFile(path, "#!/bin/sh\n" + body + "\n");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

// A Jet file in name and header only: the stand-in never reads it.
QString jetLookingFile(const QString& dir)
{
    const QString path = QDir(dir).filePath(QStringLiteral("old.mdb"));
    QByteArray page(4096, '\0');
    page.replace(0, 20, QByteArray("\x00\x01\x00\x00Standard Jet DB\0", 20));
    page[0x14] = 1;
    writeFile(path, page);
    return path;
}

JetImport::Result importWith(const QString& dir, const QByteArray& readerBody, std::chrono::milliseconds limit = 30s)
{
    return JetImport::run({jetLookingFile(dir), QDir(dir).filePath(QStringLiteral("velmora.db")), false,
                           readerScript(dir, readerBody), limit});
}

QStringList leftInFolder(const QString& dir)
{
    QStringList entries = folderEntries(dir);
    entries.removeAll(QStringLiteral("old.mdb"));
    entries.removeAll(QStringLiteral("reader.sh"));
    return entries;
}

class ThrowingSink : public Jet::RowSink
{
public:
    void beginTable(const Jet::Table&) override {}
    void row(const Jet::Row&) override { throw StoreError(QStringLiteral("no room for this row")); }
    void endTable() override {}
};

} // namespace

TEST(JetReadProcess, aReaderThatCrashesGivesAClearErrorAndNoBank)
{
    QTemporaryDir dir;
    const JetImport::Result result = importWith(dir.path(), "echo 'offset 237568 is beyond EOF' >&2\nkill -SEGV $$");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.message.contains(QStringLiteral("crashed"))) << result.message.toStdString();
    EXPECT_TRUE(result.message.contains(QStringLiteral("offset 237568 is beyond EOF"))) << result.message.toStdString();
    EXPECT_TRUE(leftInFolder(dir.path()).isEmpty());
}

TEST(JetReadProcess, aReaderThatHangsIsStoppedAtTheTimeLimit)
{
    QTemporaryDir dir;
    const JetImport::Result result = importWith(dir.path(), "exec sleep 600", 1s);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.message.contains(QStringLiteral("longer than 1 s"))) << result.message.toStdString();
    EXPECT_TRUE(leftInFolder(dir.path()).isEmpty());
}

TEST(JetReadProcess, aReaderThatEndsBeforeItIsDoneGivesAClearErrorAndNoBank)
{
    QTemporaryDir dir;
    const JetImport::Result result = importWith(dir.path(), "exit 0");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.message.contains(QStringLiteral("stopped before it was done"))) << result.message.toStdString();
    EXPECT_TRUE(leftInFolder(dir.path()).isEmpty());
}

TEST(JetReadProcess, anErrorOfTheSinkStopsTheReaderAndIsPassedOn)
{
    SKIP_WITHOUT_JET_FIXTURES();
    ThrowingSink sink;
    try {
        JetReadProcess::read(QStringLiteral(QUENHAR_BANK_PROGRAM), JetFixtures::path(QStringLiteral("bank.mdb")), 30s,
                             sink);
        FAIL() << "the sink's error was swallowed";
    } catch (const StoreError& error) {
        EXPECT_EQ(error.text(), QStringLiteral("no room for this row"));
    }
}

TEST(JetReadProcess, givesLargerFilesMoreTime)
{
    EXPECT_EQ(JetReadProcess::timeLimitFor(0), 30s);
    EXPECT_EQ(JetReadProcess::timeLimitFor(100 * 1024 * 1024), 130s);
}
