#include "inputs/FuzzInputs.h"

#include "rules/BankFile.h"
#include "rules/Statements.h"
#include "store/Database.h"
#include "store/RecordSet.h"
#include "store/StoreError.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdlib>
#include <functional>

namespace {

// Parameter values tried per statement: enough to reach several rows, few
// enough to keep an input fast.
constexpr int maxParameterValues = 8;

// Every statement of Statements.h, with the parameter it takes, if any.
struct Query
{
    QString sql;
    QString parameter;
};

QList<Query> programQueries()
{
    return {
        {Statements::classList(), {}},
        {Statements::subjectsOfClass(), QStringLiteral("fatherNo")},
        {Statements::allSubjects(), {}},
        {Statements::mustAnswerSubjects(), {}},
        {Statements::mustAnswerNumbers(), {}},
        {Statements::ordinaryNumbers(), {}},
        {Statements::subjectByNumber(), QStringLiteral("Num")},
        {Statements::materials(), {}},
    };
}

// Runs a call that may refuse the input with an error shown to the user: the
// store's, a number field's conversion, a picture's.
bool tolerated(const std::function<void()>& call)
{
    try {
        call();
        return true;
    } catch (const Failure&) {
        return false;
    }
}

// Steps every record and reads every field the ways the program does; a
// field's bytes are also decoded as a picture, as the program does for bmp.
// Returns the values of `collected` (a field name), for use as parameters.
QStringList readEveryRecord(RecordSet& set, const QString& collected)
{
    QStringList values;
    QStringList fields;
    if (!tolerated([&] {
            set.open();
            fields = set.fieldNames();
        }))
        return values;
    const int count = set.recordCount();
    int visited = 0;
    for (; !set.eof(); set.next()) {
        if (++visited > count)
            std::abort(); // next() must reach the end
        for (const QString& field : fields) {
            tolerated([&] {
                const QString text = set.fieldAsString(field);
                if (field.compare(collected, Qt::CaseInsensitive) == 0 && values.size() < maxParameterValues)
                    values << text;
            });
            tolerated([&] { set.fieldAsInteger(field); });
            tolerated([&] { FuzzInputs::decodePicture(set.fieldAsBytes(field)); });
        }
    }
    // Going back to the start and jumping to the last record, as navigation does.
    tolerated([&] {
        while (!set.bof())
            set.prior();
        if (count > 0)
            set.setRecNo(count);
    });
    return values;
}

void runQueries(Database& db)
{
    RecordSet set(db);
    QStringList categories{QStringLiteral("101")};
    QStringList numbers{QStringLiteral("1")};
    for (const Query& query : programQueries()) {
        set.setSql(query.sql);
        if (query.parameter.isEmpty()) {
            const QStringList found = readEveryRecord(set, QStringLiteral("no"));
            (query.sql == Statements::classList() ? categories : numbers) << found;
            continue;
        }
        for (const QString& value : query.parameter == QLatin1String("Num") ? numbers : categories) {
            set.close();
            set.setParameter(query.parameter, value);
            readEveryRecord(set, {});
        }
    }
}

} // namespace

namespace FuzzInputs {

void readBankFile(QByteArrayView fileBytes)
{
    // One folder for the whole run; the bank and any journal SQLite left
    // are replaced for every input.
    static QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath(BankFile::name());
    for (const QString& leftover : {path, path + QStringLiteral("-journal"), path + QStringLiteral("-wal"),
                                    path + QStringLiteral("-shm")})
        QFile::remove(leftover);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(fileBytes.data(), fileBytes.size()) != fileBytes.size())
        std::abort();
    file.close();

    try {
        Database db(path);
        runQueries(db);
    } catch (const StoreError&) {
        // A file the store refuses to open.
    }
}

} // namespace FuzzInputs
