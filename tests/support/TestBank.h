#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

struct sqlite3;

// A question bank made for one test, in a temporary folder of its own, with
// the tables the program reads. Rows are written through SQLite directly,
// never through the code under test.
class TestBank
{
public:
    struct Subject
    {
        int no = 0;
        QString text;
        int result = 0;
        int classNo = 0;
        int passOnly = 0;
        int fatherNo = 101;
        QByteArray bmp; // empty: null
    };

    // Where the bank's folder is made: in the system's temporary folder, or
    // there with a Chinese name and a space, as a user's folders often are.
    enum class Folder { Plain, ChineseName };

    // With `createSchema` false the file is an empty database.
    explicit TestBank(bool createSchema = true, Folder folder = Folder::Plain);
    ~TestBank();

    TestBank(const TestBank&) = delete;
    TestBank& operator=(const TestBank&) = delete;

    QString dir() const { return dir_.path(); }
    QString path() const;

    void exec(const QString& sql);
    void addClass(int no, const QString& remark);
    void addSubject(const Subject& subject);
    void addMaterial(const QString& title, const QString& memo);

    // Adds `count` questions numbered from `firstNo` in category `fatherNo`.
    void addSubjects(int firstNo, int count, int fatherNo, int passOnly = 0);

    // Runs a query and returns its first column of the first row as text.
    QString scalar(const QString& sql);

    // Lets go of the bank file, as a program that ends does: Windows
    // refuses to replace a file that is open. The next call opens it again.
    void close();

private:
    sqlite3* db();

    QTemporaryDir dir_;
    sqlite3* db_ = nullptr;
};

// A 24-bit Windows bitmap of the given size, filled with one colour.
QByteArray makeBitmap(int width, int height, quint32 rgb = 0xff0000);

// The 8-byte picture header followed by `bitmap`.
QByteArray withPictureHeader(const QByteArray& bitmap);

// Makes `dir` the working directory for the life of the object.
class WorkingDirectory
{
public:
    explicit WorkingDirectory(const QString& dir);
    ~WorkingDirectory();

private:
    QString previous_;
};

// A program the build made, by the path CMake gave it. A build for Windows
// made on Linux gives a path without a drive ("/tmp/..."), which names the
// drive the test program runs from, whatever the working folder is by then.
QString builtProgram(const char* path);
