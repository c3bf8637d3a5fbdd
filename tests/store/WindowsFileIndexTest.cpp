// Windows only: what tells the bank opened at the start from a file put in
// its place later.
#include "store/WindowsFileIndex.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

bool sameFile(const std::optional<WindowsFileIndex>& a, const std::optional<WindowsFileIndex>& b)
{
    return a && b && a->volume == b->volume && a->index == b->index;
}

void write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace

TEST(WindowsFileIndex, followsAFileThroughWritesAndRenamesAndTellsACopyOrANewFileApart)
{
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/题库-XXXXXX"));
    const QString bank = QDir(dir.path()).filePath(QStringLiteral("交规题库.db"));
    write(bank, "first");
    const std::optional<WindowsFileIndex> original = windowsFileIndex(bank);
    ASSERT_TRUE(original.has_value());

    write(bank, "written again in place");
    EXPECT_TRUE(sameFile(windowsFileIndex(bank), original)) << "a write in place";

    const QString moved = QDir(dir.path()).filePath(QStringLiteral("改名.db"));
    ASSERT_TRUE(QFile::rename(bank, moved));
    EXPECT_TRUE(sameFile(windowsFileIndex(moved), original)) << "a rename";
    EXPECT_FALSE(windowsFileIndex(bank).has_value()) << "nothing is left at the old name";

    ASSERT_TRUE(QFile::copy(moved, bank));
    EXPECT_FALSE(sameFile(windowsFileIndex(bank), original)) << "a copy with the same bytes at the old name";

    QFile::remove(bank);
    write(bank, "a new file");
    EXPECT_FALSE(sameFile(windowsFileIndex(bank), original)) << "a new file at the old name";
    EXPECT_FALSE(sameFile(windowsFileIndex(bank), windowsFileIndex(moved)));
}
