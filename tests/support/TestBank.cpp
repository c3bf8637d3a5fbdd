#include "support/TestBank.h"

#include "rules/BankTables.h"
#include "store/SqliteFileName.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QtEndian>

#include <sqlite3.h>

#include <stdexcept>

TestBank::TestBank(bool createSchema, Folder folder)
    : dir_(folder == Folder::ChineseName ? QDir::tempPath() + QStringLiteral("/我的 题库-XXXXXX") : QString())
{
    if (!dir_.isValid())
        throw std::runtime_error("cannot create the test bank's folder");
    if (createSchema) {
        for (const QString& statement : BankTables::createStatements())
            exec(statement);
    } else {
        exec(QStringLiteral("pragma user_version = 1")); // writes the header: a real, empty database
    }
}

TestBank::~TestBank()
{
    close();
}

sqlite3* TestBank::db()
{
    if (!db_ && sqlite3_open(sqliteFileName(path()).constData(), &db_) != SQLITE_OK) {
        sqlite3_close(db_);
        db_ = nullptr;
        throw std::runtime_error("cannot open the test bank");
    }
    return db_;
}

void TestBank::close()
{
    sqlite3_close(db_);
    db_ = nullptr;
}

QString TestBank::path() const
{
    return QDir(dir_.path()).filePath(QStringLiteral("velmora.db"));
}

void TestBank::exec(const QString& sql)
{
    char* message = nullptr;
    if (sqlite3_exec(db(), sql.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text = message ? message : "unknown error";
        sqlite3_free(message);
        throw std::runtime_error(text + " in: " + sql.toStdString());
    }
}

void TestBank::addClass(int no, const QString& remark)
{
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db(), "insert into classes([no], remark) values (?1, ?2)", -1, &stmt, nullptr);
    sqlite3_bind_int(stmt, 1, no);
    const QByteArray text = remark.toUtf8();
    sqlite3_bind_text(stmt, 2, text.constData(), int(text.size()), SQLITE_TRANSIENT);
    const int rc = sqlite3_step(stmt);
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE)
        throw std::runtime_error(sqlite3_errmsg(db()));
}

void TestBank::addSubject(const Subject& s)
{
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db(),
                       "insert into Subjects([no], subject, result, classNo, passOnly, fatherNo, bmp) "
                       "values (?1, ?2, ?3, ?4, ?5, ?6, ?7)",
                       -1, &stmt, nullptr);
    const QByteArray text = s.text.toUtf8();
    sqlite3_bind_int(stmt, 1, s.no);
    sqlite3_bind_text(stmt, 2, text.constData(), int(text.size()), SQLITE_TRANSIENT);
    sqlite3_bind_int(stmt, 3, s.result);
    sqlite3_bind_int(stmt, 4, s.classNo);
    sqlite3_bind_int(stmt, 5, s.passOnly);
    sqlite3_bind_int(stmt, 6, s.fatherNo);
    if (s.bmp.isNull())
        sqlite3_bind_null(stmt, 7);
    else
        sqlite3_bind_blob(stmt, 7, s.bmp.constData(), int(s.bmp.size()), SQLITE_TRANSIENT);
    const int rc = sqlite3_step(stmt);
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE)
        throw std::runtime_error(sqlite3_errmsg(db()));
}

void TestBank::addMaterial(const QString& title, const QString& memo)
{
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db(), "insert into ziliao(title, memo) values (?1, ?2)", -1, &stmt, nullptr);
    const QByteArray t = title.toUtf8();
    const QByteArray m = memo.toUtf8();
    sqlite3_bind_text(stmt, 1, t.constData(), int(t.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(stmt, 2, m.constData(), int(m.size()), SQLITE_TRANSIENT);
    const int rc = sqlite3_step(stmt);
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE)
        throw std::runtime_error(sqlite3_errmsg(db()));
}

void TestBank::addSubjects(int firstNo, int count, int fatherNo, int passOnly)
{
    exec(QStringLiteral("begin"));
    for (int i = 0; i < count; ++i) {
        Subject s;
        s.no = firstNo + i;
        s.text = QStringLiteral("题目 %1").arg(s.no);
        s.result = s.no % 3;
        s.passOnly = passOnly;
        s.fatherNo = fatherNo;
        addSubject(s);
    }
    exec(QStringLiteral("commit"));
}

QString TestBank::scalar(const QString& sql)
{
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db(), sql.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db()));
    QString value;
    if (sqlite3_step(stmt) == SQLITE_ROW)
        value = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
    sqlite3_finalize(stmt);
    return value;
}

QByteArray makeBitmap(int width, int height, quint32 rgb)
{
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(QColor::fromRgb(rgb));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

QByteArray withPictureHeader(const QByteArray& bitmap)
{
    QByteArray header(8, '\0');
    qToLittleEndian<quint16>(1, header.data());
    qToLittleEndian<quint16>(0x0100, header.data() + 2);
    qToLittleEndian<quint32>(quint32(bitmap.size()), header.data() + 4);
    return header + bitmap;
}

WorkingDirectory::WorkingDirectory(const QString& dir)
    : previous_(QDir::currentPath())
{
    QDir::setCurrent(dir);
}

WorkingDirectory::~WorkingDirectory()
{
    QDir::setCurrent(previous_);
}

QString builtProgram(const char* path)
{
    return QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QString::fromUtf8(path));
}
