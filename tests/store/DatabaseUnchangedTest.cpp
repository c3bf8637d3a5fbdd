#include "store/Database.h"
#include "store/StoreError.h"

#include "support/TestBank.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifdef Q_OS_WIN
#include <QCoreApplication>

#include <memory>

#include <windows.h>
#else
#include <sys/stat.h>
#endif

// A bank under any file name is read, as that file and no other: characters
// that mean something in a URI stay part of the name, and Chinese ones are
// read as they are (on Windows too, whatever the system's code page).
TEST(DatabaseUnchanged, readsABankWhateverItsNameAndLeavesItAsItWas)
{
    TestBank bank;
    bank.addClass(101, QStringLiteral("驾驶证"));
    bank.addSubjects(1, 3, 101);
    const QByteArray bytes = [&] {
        QFile file(bank.path());
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }();
    QStringList names{QStringLiteral("题库.db"), QStringLiteral("b#c%20d.db")};
#ifndef Q_OS_WIN
    // Windows allows neither '?' nor ':' in a file name.
    names << QStringLiteral("a?mode=rwc.db") << QStringLiteral("file:e.db");
#endif
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        // In a folder with a Chinese name too, as a user's folders often are.
        QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/练习题库-XXXXXX"));
        const QString path = QDir(dir.path()).filePath(name);
        ASSERT_TRUE(QFile::copy(bank.path(), path));
        Database readOnly(path, Database::Mode::Unchanged);
        EXPECT_EQ(readOnly.openParameters(), QStringLiteral("mode=ro"));
        EXPECT_EQ(readOnly.scalar(QStringLiteral("select count(*) from Subjects")), 3);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{name});
        QFile copy(path);
        ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
        EXPECT_EQ(copy.readAll(), bytes);
    }
}

// Anything but an SQLite file is refused with a message, at once.
TEST(DatabaseUnchanged, refusesWhatIsNotABankFile)
{
    QTemporaryDir dir;
#ifdef Q_OS_WIN
    // Windows' FIFOs are named pipes, in a namespace of their own.
    const QString fifo = QStringLiteral("\\\\.\\pipe\\quenhar-test-%1").arg(QCoreApplication::applicationPid());
    const HANDLE pipe = CreateNamedPipeW(fifo.toStdWString().c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE,
                                         PIPE_UNLIMITED_INSTANCES, 0, 0, 0, nullptr);
    ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
    const std::unique_ptr<void, decltype(&CloseHandle)> pipeCloser(pipe, &CloseHandle);
#else
    const QString fifo = QDir(dir.path()).filePath(QStringLiteral("pipe.db"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
#endif
    const QString text = QDir(dir.path()).filePath(QStringLiteral("text.db"));
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(200, 'x'));
    file.close();

    const struct
    {
        QString path;
        QString expected;
    } cases[] = {
        {fifo, QStringLiteral("not a regular file")},
        {dir.path(), QStringLiteral("is a folder")},
        {text, QStringLiteral("is not an SQLite database")},
        {QDir(dir.path()).filePath(QStringLiteral("missing.db")), QStringLiteral("cannot be read")},
    };
    for (const auto& c : cases) {
        try {
            Database bank(c.path, Database::Mode::Unchanged);
            ADD_FAILURE() << "opened " << c.path.toStdString();
        } catch (const StoreError& error) {
            EXPECT_TRUE(error.text().contains(c.expected)) << error.text().toStdString();
        }
    }
    EXPECT_FALSE(QFile::exists(QDir(dir.path()).filePath(QStringLiteral("missing.db"))));
}

// The start of a value is read with the whole value's length; a row without
// a text or byte value there gives nothing.
TEST(DatabaseUnchanged, readsTheStartOfAValueAndItsLength)
{
    TestBank bank;
    bank.addClass(101, QStringLiteral("信号灯"));
    const QByteArray picture = makeBitmap(40, 30);
    bank.addSubject({1, QStringLiteral("一"), 0, 0, 0, 101, picture});
    bank.addSubject({2, QStringLiteral("二"), 0, 0, 0, 101, {}});
    bank.exec(QStringLiteral("update Subjects set bmp = 7 where [no] = 2"));
    bank.addSubject({3, QStringLiteral("三"), 0, 0, 0, 101, {}});
    Database readOnly(bank.path(), Database::Mode::Unchanged);
    const auto start = [&](qint64 rowid, int bytes) {
        return readOnly.readValueStart(QStringLiteral("Subjects"), QStringLiteral("bmp"), rowid, bytes);
    };
    const auto head = start(1, 10);
    ASSERT_TRUE(head);
    EXPECT_EQ(head->bytes, picture.left(10));
    EXPECT_EQ(head->totalSize, picture.size());
    const auto whole = start(1, int(picture.size()) + 100);
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->bytes, picture);
    for (const qint64 rowid : {2, 3, 99}) // a number, a null, no such row
        EXPECT_FALSE(start(rowid, 10)) << rowid;
}
