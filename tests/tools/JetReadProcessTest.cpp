// The reading child's failures as the importer sees them: a reader that
// crashes, hangs or stops early gives a clear error and leaves no bank.

#include "JetFixtures.h"
#include "ToolFixtures.h"

#include "tools/commands/ImportCommand.h"
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

CommandOutcome importWith(const QString& dir, const QByteArray& readerBody, std::chrono::milliseconds limit)
{
    return outcomeOf([&] {
        return ImportCommand::run({jetLookingFile(dir), QDir(dir).filePath(QStringLiteral("velmora.db")), false,
                                   readerScript(dir, readerBody), limit});
    });
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

// A reader that crashes, hangs or ends too soon stops the import with a
// message that says so, and no bank is left behind.
TEST(JetReadProcess, aReaderThatFailsGivesAClearErrorAndNoBank)
{
    SKIP_WITHOUT_JET_READER();
    const struct
    {
        const char* name;
        QByteArray readerBody;
        std::chrono::milliseconds limit;
        QStringList expected; // in the message
    } cases[] = {
        {"crashes", "echo 'offset 237568 is beyond EOF' >&2\nkill -SEGV $$", 30s,
         {QStringLiteral("crashed"), QStringLiteral("offset 237568 is beyond EOF")}},
        {"hangs", "exec sleep 600", 1s, {QStringLiteral("longer than 1 s")}},
        {"ends before it is done", "exit 0", 30s, {QStringLiteral("stopped before it was done")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const CommandOutcome result = importWith(dir.path(), c.readerBody, c.limit);
        EXPECT_TRUE(result.stopped);
        EXPECT_EQ(result.exitCode, 1);
        for (const QString& expected : c.expected)
            EXPECT_TRUE(result.text().contains(expected)) << result.text().toStdString();
        EXPECT_TRUE(leftInFolder(dir.path()).isEmpty());
    }
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
