#include "tools/BankWriter.h"

#include "tools/ProgressBar.h"

#include "store/BankSchema.h"
#include "store/StoreError.h"

#include <QFile>

#include <sqlite3.h>

#include <memory>

namespace {

using Connection = std::unique_ptr<sqlite3, decltype(&sqlite3_close)>;

[[noreturn]] void raise(sqlite3* db, const QString& doing)
{
    throw StoreError(QStringLiteral("%1: %2").arg(doing, QString::fromUtf8(sqlite3_errmsg(db))));
}

void execute(sqlite3* db, const QString& sql)
{
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        raise(db, sql);
}

// One insert statement, run once per row. The store's Statement binds no
// byte values, and the bank's pictures are byte values, so the writer
// prepares its own.
class Insert
{
public:
    Insert(sqlite3* db, const char* sql)
        : db_(db)
    {
        if (sqlite3_prepare_v2(db_, sql, -1, &stmt_, nullptr) != SQLITE_OK)
            raise(db_, QString::fromUtf8(sql));
    }
    ~Insert() { sqlite3_finalize(stmt_); }

    Insert(const Insert&) = delete;
    Insert& operator=(const Insert&) = delete;

    Insert& integer(int index, qint64 value)
    {
        sqlite3_bind_int64(stmt_, index, value);
        return *this;
    }

    Insert& optionalInteger(int index, const std::optional<qint64>& value)
    {
        if (value)
            sqlite3_bind_int64(stmt_, index, *value);
        else
            sqlite3_bind_null(stmt_, index);
        return *this;
    }

    Insert& text(int index, const QString& value)
    {
        const QByteArray utf8 = value.toUtf8();
        sqlite3_bind_text64(stmt_, index, utf8.constData(), sqlite3_uint64(utf8.size()), SQLITE_TRANSIENT,
                            SQLITE_UTF8);
        return *this;
    }

    // Nothing binds null; an empty value stays an empty value, not null, so
    // that a bank that had one builds back the same.
    Insert& bytes(int index, const std::optional<QByteArray>& value)
    {
        if (!value)
            sqlite3_bind_null(stmt_, index);
        else
            sqlite3_bind_blob64(stmt_, index, value->isEmpty() ? "" : value->constData(),
                                sqlite3_uint64(value->size()), SQLITE_TRANSIENT);
        return *this;
    }

    void run(const QString& what)
    {
        const int rc = sqlite3_step(stmt_);
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
        if (rc != SQLITE_DONE)
            raise(db_, what);
    }

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

Connection open(const QString& path)
{
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    Connection db(raw, sqlite3_close);
    if (rc != SQLITE_OK)
        throw StoreError(QStringLiteral("'%1' cannot be created: %2")
                             .arg(path, raw ? QString::fromUtf8(sqlite3_errmsg(raw)) : QStringLiteral("out of memory")));
    return db;
}

} // namespace

namespace BankWriter {

void write(const BankContent& content, const QString& path, const PictureOf& pictureOf)
{
    const Connection db = open(path);
    // The file is new and private until it is complete: a rollback journal
    // next to it would only be one more file to clean up after a failure.
    execute(db.get(), QStringLiteral("pragma journal_mode = memory"));
    execute(db.get(), QStringLiteral("begin"));
    for (const QString& statement : BankSchema::createStatements())
        execute(db.get(), statement);

    ProgressBar progress(QStringLiteral("Writing"),
                         content.categories.size() + content.questions.size() + content.materials.size());

    Insert category(db.get(), "insert into classes([no], remark) values (?1, ?2)");
    for (const BankCategory& row : content.categories) {
        category.integer(1, row.no).text(2, row.title).run(QStringLiteral("category %1").arg(row.no));
        progress.advance();
    }

    Insert question(db.get(), "insert into Subjects([no], subject, result, classNo, passOnly, fatherNo, bmp) "
                              "values (?1, ?2, ?3, ?4, ?5, ?6, ?7)");
    for (const BankQuestion& row : content.questions) {
        question.integer(1, row.no)
            .text(2, row.text)
            .integer(3, row.answer)
            .integer(4, row.type)
            .integer(5, row.mustAnswer)
            .integer(6, row.category)
            .bytes(7, pictureOf(row))
            .run(QStringLiteral("question %1").arg(row.no));
        progress.advance();
    }

    Insert material(db.get(), "insert into ziliao(id, title, memo) values (?1, ?2, ?3)");
    for (const BankMaterial& row : content.materials) {
        material.optionalInteger(1, row.id).text(2, row.title).text(3, row.text).run(
            QStringLiteral("material \"%1\"").arg(row.title));
        progress.advance();
    }

    execute(db.get(), QStringLiteral("commit"));
}

} // namespace BankWriter
