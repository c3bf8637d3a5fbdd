#include "MalformedBanks.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <stdexcept>

namespace {

using Outcome = MalformedBank::Outcome;
using Hold = MalformedBank::Hold;

// Runs SQL statements against the playable bank.
std::function<void(TestBank&)> sql(const QStringList& statements)
{
    return [statements](TestBank& bank) {
        for (const QString& statement : statements)
            bank.exec(statement);
    };
}

// Replaces the file with other bytes.
std::function<void(TestBank&)> fileOf(const std::function<QByteArray(const QByteArray& bank)>& bytes)
{
    return [bytes](TestBank& bank) {
        QFile file(bank.path());
        if (!file.open(QIODevice::ReadWrite))
            throw std::runtime_error("cannot rewrite the bank");
        const QByteArray replaced = bytes(file.readAll());
        file.resize(0);
        file.seek(0);
        file.write(replaced);
    };
}

QString blob(const QByteArray& bytes)
{
    return QStringLiteral("x'%1'").arg(QString::fromLatin1(bytes.toHex()));
}

// Picture values for the first questions of the bank.
QStringList withPictures(const QByteArray& picture)
{
    return {QStringLiteral("update Subjects set bmp = %1 where [no] <= 3 or [no] between 1001 and 1003").arg(blob(picture))};
}

QByteArray bitmapClaiming(qint32 width, qint32 height)
{
    QByteArray bmp = makeBitmap(2, 2);
    qToLittleEndian<qint32>(width, bmp.data() + 18);
    qToLittleEndian<qint32>(height, bmp.data() + 22);
    return bmp;
}

// A table recreated with only the named columns, keeping its rows.
QStringList keepColumns(const QString& table, const QString& columns)
{
    return {QStringLiteral("create table kept as select %1 from %2").arg(columns, table),
            QStringLiteral("drop table %1").arg(table),
            QStringLiteral("alter table kept rename to %1").arg(table)};
}

// Bytes that start the way a Jet (Access) database does.
QByteArray jetLikeFile()
{
    QByteArray bytes(4096, '\0');
    const QByteArray header("\x00\x01\x00\x00Standard Jet DB\x00", 20);
    bytes.replace(0, header.size(), header);
    for (int i = header.size(); i < bytes.size(); ++i)
        bytes[i] = char((i * 131 + 7) % 251);
    return bytes;
}

const QString longText = QStringLiteral("replace(hex(zeroblob(50000)), '0', '题')"); // 100,000 characters

} // namespace

void addPlayableContent(TestBank& bank)
{
    bank.addClass(100, QStringLiteral("道路交通安全法律、法规和规章"));
    bank.addClass(101, QStringLiteral("驾驶证申领和使用"));
    bank.addClass(102, QStringLiteral("道路通行规定"));
    bank.addSubjects(1, 101, 101, 0);
    bank.addSubjects(1001, 16, 102, 1);
    bank.exec(QStringLiteral("update Subjects set classNo = [no] % 2"));
    bank.exec(withPictures(makeBitmap(8, 6)).first());
    for (int i = 1; i <= 3; ++i)
        bank.addMaterial(QStringLiteral("资料 %1").arg(i), QStringLiteral("内容 %1").arg(i));
}

const QList<MalformedBank>& malformedBanks()
{
    static const QList<MalformedBank> banks{
        {"noCategoryTable", sql({"drop table classes"}), Outcome::Opens, "no such table: classes"},
        {"noQuestionTable", sql({"drop table Subjects"}), Outcome::Opens, "no such table: Subjects"},
        {"noMaterialsTable", sql({"drop table ziliao"}), Outcome::Opens, "no such table: ziliao"},
        {"noTablesAtAll", sql({"drop table classes", "drop table Subjects", "drop table ziliao"})},
        {"categoriesWithoutTitles", sql(keepColumns("classes", "[no]")), Outcome::Opens, "Field 'remark' not found"},
        {"categoriesWithoutNumbers", sql(keepColumns("classes", "remark")), Outcome::Opens, "no such column: no"},
        {"questionsWithoutPictures", sql(keepColumns("Subjects", "[no], subject, result, classNo, passOnly, fatherNo")),
         Outcome::Opens, "Field 'bmp' not found"},
        {"questionsWithOnlyText", sql(keepColumns("Subjects", "[no], subject, fatherNo")), Outcome::Opens,
         "not found"},
        {"materialsWithoutText", sql(keepColumns("ziliao", "id, title"))},
        {"everyFieldNull",
         sql({"update classes set [no] = null, remark = null",
              "update Subjects set subject = null, result = null, classNo = null, passOnly = null, fatherNo = null, "
              "bmp = null",
              "update ziliao set title = null, memo = null"})},
        {"textInNumberFields",
         sql({"update Subjects set result = '对', classNo = '判断', passOnly = '是' where [no] % 3 = 0",
              "update Subjects set fatherNo = '一零一' where [no] % 3 = 1",
              "update classes set [no] = '一零二' where [no] = 102"}),
         Outcome::Opens, "is not a valid integer value"},
        {"negativeNumbers",
         sql({"update Subjects set result = -1, classNo = -1, passOnly = -1 where [no] % 2 = 0",
              "update classes set [no] = -101 where [no] = 101", "update Subjects set fatherNo = -101 where [no] < 10"})},
        {"hugeNumbers",
         sql({"update Subjects set result = 9223372036854775807, classNo = -9223372036854775808, "
              "passOnly = 1e308 where [no] % 2 = 0",
              "update Subjects set fatherNo = 99999999999 where [no] % 5 = 0",
              "insert into classes values (99999999999, '太大'), (1e300, '实数')"}),
         Outcome::Opens, "is not a valid integer value"},
        {"categoryNumberNotAnInteger",
         sql({"insert into classes values (101.5, '半'), ('1x1', '字母'), ('', '空'), (x'00ff', '字节')"}),
         Outcome::Opens, "is not a valid integer value"},
        {"duplicateNumbers",
         sql(QStringList{"create table copy as select * from Subjects", "drop table Subjects",
                         "create table Subjects ([no] integer, subject text, result integer, classNo integer, "
                         "passOnly integer, fatherNo integer, bmp blob)",
                         "insert into Subjects select * from copy", "insert into Subjects select * from copy",
                         "drop table copy", "insert into classes select * from classes"})},
        {"emptyTables", sql({"delete from classes", "delete from Subjects", "delete from ziliao"}), Outcome::Opens,
         "List index out of bounds (0)"},
        {"hundredThousandCharacterTexts",
         sql({QStringLiteral("update Subjects set subject = %1 where [no] % 10 = 1").arg(longText),
              QStringLiteral("update classes set remark = %1").arg(longText),
              QStringLiteral("update ziliao set title = %1, memo = %1").arg(longText)})},
        {"bitmapClaimingSixtyThousandPixelsSquare", sql(withPictures(bitmapClaiming(60000, 60000))), Outcome::Opens,
         "Bitmap image is not valid"},
        {"bitmapClaimingNegativeSize", sql(withPictures(bitmapClaiming(-60000, -2147483647 - 1))), Outcome::Opens,
         "Bitmap image is not valid"},
        {"bitmapsCutShort", sql(withPictures(withPictureHeader(makeBitmap(40, 40)).left(300))), Outcome::Opens,
         "Bitmap image is not valid"},
        {"picturesThatAreNoBitmap",
         sql({QStringLiteral("update Subjects set bmp = %1 where [no] % 4 = 0").arg(blob(withPictureHeader({}))),
              "update Subjects set bmp = 'not a picture' where [no] % 4 = 1",
              "update Subjects set bmp = randomblob(700) where [no] % 4 = 2", "update Subjects set bmp = 42 where [no] % 4 = 3"}),
         Outcome::Opens, "Bitmap image is not valid"},
        {"invalidUtf8Text", sql({"update Subjects set subject = cast(x'fffec080e9' as text)",
                                 "update classes set remark = cast(x'c0' as text)",
                                 "update ziliao set memo = cast(x'eda080' as text)"})},
        {"tablesThatAreViews",
         sql({"alter table classes rename to classes_rows", "create view classes as select * from classes_rows",
              "alter table ziliao rename to ziliao_rows", "create view ziliao as select * from ziliao_rows"})},
        {"questionsWithoutRowIds",
         sql(QStringList{"create table copy as select * from Subjects", "drop table Subjects",
                         "create table Subjects ([no] integer primary key, subject text, result integer, "
                         "classNo integer, passOnly integer, fatherNo integer, bmp blob) without rowid",
                         "insert into Subjects select * from copy", "drop table copy"})},
        {"writeAheadLogBank", sql({"pragma journal_mode = wal"})},
        {"zeroLengthFile", fileOf([](const QByteArray&) { return QByteArray(); }), Outcome::Refused},
        {"sqliteFileCutInHalf", fileOf([](const QByteArray& bank) { return bank.left(bank.size() / 2); }),
         Outcome::Either},
        {"sqliteHeaderOnly", fileOf([](const QByteArray& bank) { return bank.left(100); }), Outcome::Either},
        {"damagedPage",
         fileOf([](const QByteArray& bank) {
             QByteArray damaged = bank;
             for (qsizetype i = 4096 + 8; i < std::min<qsizetype>(damaged.size(), 4096 * 3); i += 7)
                 damaged[i] = char(0xff - damaged[i]);
             return damaged;
         }),
         Outcome::Either},
        {"invalidPageSizeInHeader",
         fileOf([](const QByteArray& bank) {
             QByteArray damaged = bank;
             qToBigEndian<quint16>(1000, damaged.data() + 16); // not a power of two
             return damaged;
         }),
         Outcome::Either},
        {"jetDatabase", fileOf([](const QByteArray&) { return jetLikeFile(); }), Outcome::Refused},
        {"plainText", fileOf([](const QByteArray&) { return QByteArray("classes,Subjects\n101,题目\n"); }),
         Outcome::Refused},
        {"readOnlyFile", sql({}), Outcome::Opens, {}, Hold::ReadOnlyFile},
        {"readOnlyFolder", sql({}), Outcome::Opens, {}, Hold::ReadOnlyFolder},
        {"lockedByAnotherProgramsWrite", sql({}), Outcome::Either, {}, Hold::LockedByWriter},
    };
    return banks;
}
