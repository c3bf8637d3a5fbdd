#include "tools/formats/jet/JetReader.h"

#include "tools/formats/jet/JetFile.h"
#include "tools/formats/jet/JetText.h"

#include "store/StoreError.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTimeZone>
#include <QtEndian>

// mdbtools.h includes glib.h inside its extern "C" block, where glib's C++
// parts cannot be declared; included first, glib.h is skipped there.
#include <glib.h>
#include <mdbtools.h>

#include <bit>
#include <cmath>
#include <memory>
#include <vector>

namespace {

// A row's offset on its page carries flags in its top bits.
constexpr int rowOffsetMask = 0x1fff;

// A memo or OLE value in a row is a 12-byte reference: a 24-bit length and
// a type byte, then the page and row of its data when not stored in the row.
constexpr int longValueReference = 12;
constexpr quint8 longValueInRow = 0x80;
constexpr quint8 longValueOnePage = 0x40;
constexpr quint8 longValueManyPages = 0x00;

[[noreturn]] void damaged(const QString& what)
{
    throw StoreError(QStringLiteral("the file is damaged: %1").arg(what));
}

template<typename Number>
Number littleEndian(const unsigned char* bytes)
{
    if constexpr (std::is_floating_point_v<Number>) {
        using Bits = std::conditional_t<sizeof(Number) == 4, quint32, quint64>;
        return std::bit_cast<Number>(qFromLittleEndian<Bits>(bytes));
    } else {
        return qFromLittleEndian<Number>(bytes);
    }
}

// Access counts dates in days from 30 December 1899; the fraction, taken
// without its sign, is the time of day.
QString dateText(double days)
{
    const double whole = std::trunc(days);
    const qint64 seconds = std::llround(std::fabs(days - whole) * 86400.0);
    const QDateTime epoch(QDate(1899, 12, 30), QTime(0, 0), QTimeZone::utc());
    return epoch.addDays(qint64(whole)).addSecs(seconds).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

Jet::Column describe(const MdbColumn& column)
{
    using Kind = Jet::ColumnKind;
    const auto made = [&column](Kind kind, const QString& typeName) {
        return Jet::Column{QString::fromUtf8(column.name), kind, typeName};
    };
    switch (column.col_type) {
    case MDB_BOOL: return made(Kind::Integer, QStringLiteral("Yes/No"));
    case MDB_BYTE: return made(Kind::Integer, QStringLiteral("Byte"));
    case MDB_INT: return made(Kind::Integer, QStringLiteral("Integer"));
    case MDB_LONGINT: return made(Kind::Integer, QStringLiteral("Long Integer"));
    case MDB_MONEY: return made(Kind::Real, QStringLiteral("Currency"));
    case MDB_FLOAT: return made(Kind::Real, QStringLiteral("Single"));
    case MDB_DOUBLE: return made(Kind::Real, QStringLiteral("Double"));
    case MDB_NUMERIC: return made(Kind::Real, QStringLiteral("Decimal"));
    case MDB_DATETIME: return made(Kind::Text, QStringLiteral("Date/Time"));
    case MDB_TEXT: return made(Kind::Text, QStringLiteral("Text"));
    case MDB_MEMO: return made(Kind::Text, QStringLiteral("Memo"));
    case MDB_REPID: return made(Kind::Text, QStringLiteral("Replication ID"));
    case MDB_BINARY: return made(Kind::Bytes, QStringLiteral("Binary"));
    case MDB_OLE: return made(Kind::Bytes, QStringLiteral("OLE Object"));
    case MDB_COMPLEX: return made(Kind::Unsupported, QStringLiteral("Attachment or multi-value"));
    default: return made(Kind::Unsupported, QStringLiteral("type %1").arg(column.col_type));
    }
}

class TableReader
{
public:
    TableReader(MdbHandle* mdb, MdbTableDef* table, qint64 pageCount)
        : mdb_(mdb), table_(table), pageCount_(pageCount), name_(QString::fromUtf8(table->name))
    {
    }

    Jet::Table description() const
    {
        Jet::Table described{name_, {}};
        for (guint i = 0; i < table_->num_cols; ++i)
            described.columns.append(describe(column(int(i))));
        return described;
    }

    void readRows(Jet::RowSink& sink)
    {
        std::vector<MdbField> fields(table_->num_cols);
        qint64 rows = 0;
        mdb_rewind_table(table_);
        while (mdb_fetch_row(table_)) {
            // libmdb has read the row onto its page buffer; crack it again
            // to learn which values are null, which its bound values hide.
            int start = 0;
            size_t length = 0;
            if (mdb_find_row(mdb_, int(table_->cur_row) - 1, &start, &length) != 0
                || mdb_crack_row(table_, start & rowOffsetMask, length, fields.data()) < 0)
                damaged(QStringLiteral("a row of table %1 cannot be read").arg(name_));
            Jet::Row row(table_->num_cols);
            for (const MdbField& field : fields) {
                if (field.colnum < 0 || field.colnum >= int(table_->num_cols))
                    damaged(QStringLiteral("a row of table %1 has a column that does not exist").arg(name_));
                row[field.colnum] = value(column(field.colnum), field);
            }
            sink.row(row);
            ++rows;
        }
        if (rows != qint64(table_->num_rows))
            damaged(QStringLiteral("table %1 holds %2 rows, but only %3 can be read")
                        .arg(name_)
                        .arg(table_->num_rows)
                        .arg(rows));
    }

private:
    const MdbColumn& column(int index) const
    {
        return *static_cast<const MdbColumn*>(g_ptr_array_index(table_->columns, guint(index)));
    }

    Jet::Value value(const MdbColumn& column, const MdbField& field)
    {
        // A yes/no column keeps its value in the row's null flags.
        if (column.col_type == MDB_BOOL)
            return qint64(field.is_null ? 0 : 1);
        if (field.is_null)
            return {};
        if (field.start < 0 || field.siz < 0 || field.start + field.siz > mdb_->fmt->pg_size)
            damaged(QStringLiteral("a value in table %1 lies outside its page").arg(name_));
        const unsigned char* at = mdb_->pg_buf + field.start;
        const auto fixed = [&](int bytes) {
            if (field.siz < bytes)
                damaged(QStringLiteral("a value of %1.%2 is too short").arg(name_, QString::fromUtf8(column.name)));
            return at;
        };
        switch (column.col_type) {
        case MDB_BYTE: return qint64(*fixed(1));
        case MDB_INT: return qint64(littleEndian<qint16>(fixed(2)));
        case MDB_LONGINT: return qint64(littleEndian<qint32>(fixed(4)));
        case MDB_MONEY: return double(littleEndian<qint64>(fixed(8))) / 10000.0;
        case MDB_FLOAT: return double(littleEndian<float>(fixed(4)));
        case MDB_DOUBLE: return littleEndian<double>(fixed(8));
        case MDB_DATETIME: return dateText(littleEndian<double>(fixed(8)));
        case MDB_NUMERIC: {
            fixed(17);
            const std::unique_ptr<char, decltype(&g_free)> text(
                mdb_numeric_to_string(mdb_, field.start, column.col_scale, column.col_prec), g_free);
            return QByteArray(text.get()).toDouble();
        }
        case MDB_REPID: {
            fixed(16);
            const std::unique_ptr<char, decltype(&g_free)> text(mdb_uuid_to_string(mdb_->pg_buf, field.start),
                                                                 g_free);
            return QString::fromLatin1(text.get());
        }
        case MDB_TEXT: return JetText::decode(inRow(field));
        case MDB_BINARY: return inRow(field);
        case MDB_MEMO: return JetText::decode(longValue(column, field));
        case MDB_OLE: return longValue(column, field);
        default: return {};
        }
    }

    QByteArray inRow(const MdbField& field) const
    {
        return QByteArray(reinterpret_cast<const char*>(mdb_->pg_buf) + field.start, field.siz);
    }

    // A memo or OLE value: in the row itself, in one row on another page,
    // or in a chain of rows on other pages, each starting with the page and
    // row of the next.
    QByteArray longValue(const MdbColumn& column, const MdbField& field)
    {
        if (field.siz == 0)
            return QByteArray("");
        const QString where = QStringLiteral("%1.%2").arg(name_, QString::fromUtf8(column.name));
        if (field.siz < longValueReference)
            damaged(QStringLiteral("a value of %1 is too short").arg(where));
        const unsigned char* reference = mdb_->pg_buf + field.start;
        const quint32 lengthAndType = littleEndian<quint32>(reference);
        const qsizetype length = lengthAndType & 0xffffff;
        quint32 pageRow = littleEndian<quint32>(reference + 4);
        switch (quint8(lengthAndType >> 24)) {
        case longValueInRow:
            return inRow(field).mid(longValueReference);
        case longValueOnePage: {
            const QByteArray data = pageRowBytes(pageRow, where);
            if (data.size() < length)
                damaged(QStringLiteral("a value of %1 is cut short").arg(where));
            return data.left(length);
        }
        case longValueManyPages: {
            QByteArray data;
            for (qint64 pages = 0; data.size() < length; ++pages) {
                if (pageRow == 0 || pages > pageCount_)
                    damaged(QStringLiteral("a value of %1 is cut short").arg(where));
                const QByteArray part = pageRowBytes(pageRow, where);
                if (part.size() < 4)
                    damaged(QStringLiteral("a value of %1 is cut short").arg(where));
                pageRow = littleEndian<quint32>(reinterpret_cast<const unsigned char*>(part.constData()));
                data.append(part.mid(4));
            }
            return data.left(length);
        }
        default:
            damaged(QStringLiteral("a value of %1 has an unknown kind of storage").arg(where));
        }
    }

    QByteArray pageRowBytes(quint32 pageRow, const QString& where)
    {
        const qint64 page = pageRow >> 8;
        if (page >= pageCount_)
            throw StoreError(QStringLiteral("the file is cut short or damaged: a value of %1 is on page %2, "
                                            "but the file has %3 pages")
                                 .arg(where)
                                 .arg(page)
                                 .arg(pageCount_));
        void* buffer = nullptr;
        int start = 0;
        size_t length = 0;
        if (mdb_find_pg_row(mdb_, int(pageRow), &buffer, &start, &length) != 0)
            damaged(QStringLiteral("a value of %1 cannot be found on page %2").arg(where).arg(page));
        return QByteArray(static_cast<const char*>(buffer) + start, qsizetype(length));
    }

    MdbHandle* mdb_;
    MdbTableDef* table_;
    qint64 pageCount_;
    QString name_;
};

} // namespace

namespace JetReader {

bool available()
{
    return true;
}

void read(const QString& path, Jet::RowSink& sink)
{
    const QString lengthProblem = JetFile::lengthProblem(path);
    if (!lengthProblem.isEmpty())
        throw StoreError(lengthProblem);
    const std::unique_ptr<MdbHandle, decltype(&mdb_close)> mdb(mdb_open(QFile::encodeName(path).constData(),
                                                                        MDB_NOFLAGS),
                                                               mdb_close);
    if (!mdb)
        throw StoreError(QStringLiteral("libmdb cannot open it as a Jet database"));
    if (IS_JET3(mdb))
        throw StoreError(QStringLiteral("it is a Jet 3 (Access 97) database; only Jet 4 (Access 2000) and "
                                        "later are read"));
    const qint64 pageCount = QFileInfo(path).size() / mdb->fmt->pg_size;
    if (!mdb_read_catalog(mdb.get(), MDB_TABLE))
        damaged(QStringLiteral("its list of tables cannot be read"));

    for (guint i = 0; i < mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (entry->object_type != MDB_TABLE || !mdb_is_user_table(entry))
            continue;
        const std::unique_ptr<MdbTableDef, decltype(&mdb_free_tabledef)> table(mdb_read_table(entry),
                                                                                mdb_free_tabledef);
        if (!table || !mdb_read_columns(table.get()))
            damaged(QStringLiteral("table %1 cannot be read").arg(QString::fromUtf8(entry->object_name)));
        TableReader reader(mdb.get(), table.get(), pageCount);
        sink.beginTable(reader.description());
        reader.readRows(sink);
        sink.endTable();
    }
}

} // namespace JetReader
