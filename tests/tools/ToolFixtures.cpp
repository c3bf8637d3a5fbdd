#include "ToolFixtures.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <sqlite3.h>

#include <stdexcept>

QString pathIn(const QTemporaryDir& dir, const QString& name)
{
    return QDir(dir.path()).filePath(name);
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    return file.readAll();
}

QByteArray encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QStringList tableRows(const QString& bankPath, const QString& table)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(bankPath).constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot open " + bankPath.toStdString());
    }
    sqlite3_stmt* stmt = nullptr;
    const QByteArray sql = QStringLiteral("select * from [%1] order by rowid").arg(table).toUtf8();
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot read table " + table.toStdString());
    }
    QStringList rows;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        QStringList values;
        for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
            switch (sqlite3_column_type(stmt, i)) {
            case SQLITE_INTEGER:
                values.append(QStringLiteral("integer:%1").arg(sqlite3_column_int64(stmt, i)));
                break;
            case SQLITE_FLOAT:
                values.append(QStringLiteral("real:%1").arg(sqlite3_column_double(stmt, i)));
                break;
            case SQLITE_TEXT:
                values.append(QStringLiteral("text:") + QString::fromUtf8(reinterpret_cast<const char*>(
                                                            sqlite3_column_text(stmt, i))));
                break;
            case SQLITE_BLOB: {
                const QByteArray blob(static_cast<const char*>(sqlite3_column_blob(stmt, i)),
                                      sqlite3_column_bytes(stmt, i));
                values.append(QStringLiteral("blob:") + QString::fromLatin1(blob.toHex()));
                break;
            }
            default:
                values.append(QStringLiteral("null"));
            }
        }
        rows.append(values.join(QLatin1Char('|')));
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return rows;
}

QByteArray jsonSource(const QStringList& categories, const QStringList& questions, const QStringList& materials)
{
    return QStringLiteral("{\n\"format\": \"quenhar-bank\",\n\"version\": 1,\n"
                          "\"categories\": [\n%1\n],\n\"questions\": [\n%2\n],\n\"materials\": [\n%3\n]\n}\n")
        .arg(categories.join(QStringLiteral(",\n")), questions.join(QStringLiteral(",\n")),
             materials.join(QStringLiteral(",\n")))
        .toUtf8();
}

QString jsonCategory()
{
    return QStringLiteral(R"({"no": 101, "title": "驾驶证"})");
}

QString jsonQuestion(int no, const QString& extra, const QString& answer)
{
    return QStringLiteral(R"({"no": %1, "category": 101, "type": "judge", "text": "题 %1", "answer": "%2", )"
                          R"("mustAnswer": false%3})")
        .arg(no)
        .arg(answer, extra);
}

QStringList folderEntries(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

ProgramRun runQuenharBank(const QStringList& arguments, const QString& locale)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& name : {QStringLiteral("LC_ALL"), QStringLiteral("LANG"), QStringLiteral("LANGUAGE")})
        environment.insert(name, locale);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(QUENHAR_BANK_PROGRAM), arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    // Lines end in CR LF on a Windows console program's output; the tests
    // read lines.
    const auto text = [](const QByteArray& bytes) {
        return QString::fromUtf8(bytes).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    };
    return {process.exitCode(), text(process.readAllStandardOutput()), text(process.readAllStandardError())};
}

QStringList errorMessages(const QStringList& errors)
{
    QStringList messages;
    for (const QString& error : errors)
        messages.append(QStringLiteral("error: ") + error);
    return messages;
}
