#include "bench/SyntheticBank.h"

#include "rules/BankTables.h"
#include "store/StoreError.h"

#include <QFile>
#include <QHash>
#include <QtEndian>

#include <sqlite3.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr int bitmapHeaderSize = 54;
constexpr int categoriesPerChapter = 99;

struct Connection
{
    sqlite3* db = nullptr;
    ~Connection() { sqlite3_close(db); }
};

struct Prepared
{
    sqlite3_stmt* stmt = nullptr;
    ~Prepared() { sqlite3_finalize(stmt); }
};

[[noreturn]] void fail(sqlite3* db, const QString& what)
{
    throw StoreError(what + QStringLiteral(": ") + QString::fromUtf8(sqlite3_errmsg(db)));
}

void execute(sqlite3* db, const QString& sql)
{
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        fail(db, sql);
}

sqlite3_stmt* prepare(sqlite3* db, const char* sql, Prepared& prepared)
{
    if (sqlite3_prepare_v2(db, sql, -1, &prepared.stmt, nullptr) != SQLITE_OK)
        fail(db, QString::fromUtf8(sql));
    return prepared.stmt;
}

void stepOnce(sqlite3* db, sqlite3_stmt* stmt)
{
    if (sqlite3_step(stmt) != SQLITE_DONE)
        fail(db, QStringLiteral("writing a row"));
    sqlite3_reset(stmt);
}

void put16(QByteArray& bytes, int offset, quint16 value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

void put32(QByteArray& bytes, int offset, quint32 value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

// Whether question `index` (0-based) is one of `chosen` spread evenly over
// `total`.
bool spreadEvenly(int index, int chosen, int total)
{
    return qint64(index + 1) * chosen / total != qint64(index) * chosen / total;
}

// Question text of realistic length: a stem and, for single choice, the
// three options written into it.
QByteArray questionText(int number, bool singleChoice)
{
    QString text = QStringLiteral("第%1题：驾驶机动车在道路上行驶，遇到前方路口交通信号灯变化、行人横过道路或车辆"
                                  "缓慢排队时，驾驶人应当怎样做才符合道路交通安全法律法规的规定？")
                       .arg(number);
    if (singleChoice)
        text += QStringLiteral("\nA、减速慢行，注意观察，必要时停车让行\nB、鸣喇叭示意后加速通过\nC、借对向车道绕行");
    return text.toUtf8();
}

} // namespace

int syntheticCategoryNumber(int index)
{
    return (index / categoriesPerChapter + 1) * 100 + index % categoriesPerChapter + 1;
}

QByteArray syntheticPicture(int bytes, int seed)
{
    // Rows of a multiple of four pixels need no padding: stride = 3 * width.
    const int pixelBytes = std::max(bytes - bitmapHeaderSize, 48);
    const int width = std::max(4, int(std::sqrt(pixelBytes / 3.0)) / 4 * 4);
    const int height = std::max(1, pixelBytes / (3 * width));
    const int stride = 3 * width;

    QByteArray bmp(bitmapHeaderSize + stride * height, '\0');
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(bmp, 2, quint32(bmp.size()));
    put32(bmp, 10, bitmapHeaderSize);
    put32(bmp, 14, 40);
    put32(bmp, 18, quint32(width));
    put32(bmp, 22, quint32(height));
    put16(bmp, 26, 1);
    put16(bmp, 28, 24);
    put32(bmp, 34, quint32(stride * height));
    auto* pixels = reinterpret_cast<unsigned char*>(bmp.data() + bitmapHeaderSize);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            unsigned char* pixel = pixels + y * stride + 3 * x;
            pixel[0] = static_cast<unsigned char>(x + seed);
            pixel[1] = static_cast<unsigned char>(y * 2);
            pixel[2] = static_cast<unsigned char>(seed * 7);
        }

    QByteArray stored(8, '\0');
    put16(stored, 0, 1);
    put16(stored, 2, 0x0100);
    put32(stored, 4, quint32(bmp.size()));
    return stored + bmp;
}

void writeSyntheticBank(const QString& path, const SyntheticBankOptions& options)
{
    if (QFile::exists(path))
        throw StoreError(QStringLiteral("'%1' exists already").arg(path));
    Connection connection;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &connection.db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr)
        != SQLITE_OK)
        fail(connection.db, QStringLiteral("creating '%1'").arg(path));
    sqlite3* db = connection.db;

    // A bank made for measuring only: nothing is lost if writing it fails.
    execute(db, QStringLiteral("pragma journal_mode = off"));
    execute(db, QStringLiteral("pragma synchronous = off"));
    execute(db, QStringLiteral("begin"));
    for (const QString& statement : BankTables::createStatements())
        execute(db, statement);

    const int categories = std::max(1, options.categories);
    {
        Prepared insertClass;
        sqlite3_stmt* stmt = prepare(db, "insert into classes ([no], remark) values (?1, ?2)", insertClass);
        int chapter = 0;
        for (int i = 0; i < categories; ++i) {
            const int number = syntheticCategoryNumber(i);
            if (number / 100 != chapter) {
                chapter = number / 100;
                const QByteArray title = QStringLiteral("第%1章").arg(chapter).toUtf8();
                sqlite3_bind_int(stmt, 1, chapter * 100);
                sqlite3_bind_text(stmt, 2, title.constData(), int(title.size()), SQLITE_TRANSIENT);
                stepOnce(db, stmt);
            }
            const QByteArray title = QStringLiteral("第%1类 道路通行规定").arg(number).toUtf8();
            sqlite3_bind_int(stmt, 1, number);
            sqlite3_bind_text(stmt, 2, title.constData(), int(title.size()), SQLITE_TRANSIENT);
            stepOnce(db, stmt);
        }
    }

    Prepared insertSubject;
    sqlite3_stmt* stmt = prepare(db,
                                 "insert into Subjects ([no], subject, result, classNo, passOnly, fatherNo, bmp) "
                                 "values (?1, ?2, ?3, ?4, ?5, ?6, ?7)",
                                 insertSubject);
    const int pictures = int(std::lround(std::clamp(options.pictureShare, 0.0, 1.0) * options.questions));
    // A picture's colours depend on its seed modulo 256 only: 256 pictures
    // made once serve every question.
    QHash<int, QByteArray> picturesBySeed;
    for (int i = 0; i < options.questions; ++i) {
        const int number = i + 1;
        const bool singleChoice = i % 3 != 2;
        const QByteArray text = questionText(number, singleChoice);
        sqlite3_bind_int(stmt, 1, number);
        sqlite3_bind_text(stmt, 2, text.constData(), int(text.size()), SQLITE_TRANSIENT);
        sqlite3_bind_int(stmt, 3, singleChoice ? i % 3 : i % 2);
        sqlite3_bind_int(stmt, 4, singleChoice ? 0 : 1);
        sqlite3_bind_int(stmt, 5, spreadEvenly(i, options.mustAnswer, options.questions) ? 1 : 0);
        sqlite3_bind_int(stmt, 6, syntheticCategoryNumber(i % categories));
        if (spreadEvenly(i, pictures, options.questions)) {
            QByteArray& picture = picturesBySeed[number % 256];
            if (picture.isEmpty())
                picture = syntheticPicture(options.pictureBytes, number % 256);
            sqlite3_bind_blob(stmt, 7, picture.constData(), int(picture.size()), SQLITE_STATIC);
        } else {
            sqlite3_bind_null(stmt, 7);
        }
        stepOnce(db, stmt);
    }
    execute(db, QStringLiteral("commit"));
}
