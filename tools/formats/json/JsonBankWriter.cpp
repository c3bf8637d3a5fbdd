#include "tools/formats/json/JsonBankWriter.h"

#include "tools/content/SourceWords.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QStringList>

namespace {

QString quoted(const QString& text)
{
    // Qt's writer escapes what JSON requires and leaves Chinese text readable.
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

QString member(const QString& name, const QString& jsonValue)
{
    return QStringLiteral("\"%1\": %2").arg(name, jsonValue);
}

QString number(qint64 value)
{
    return QString::number(value);
}

// A word when the format names the value, else the integer itself.
QString wordOrNumber(const QString& word, qint64 value)
{
    return word.isEmpty() ? number(value) : quoted(word);
}

QString mustAnswerValue(qint64 mustAnswer)
{
    if (mustAnswer == 0 || mustAnswer == 1)
        return mustAnswer ? QStringLiteral("true") : QStringLiteral("false");
    return number(mustAnswer);
}

QString object(const QStringList& members)
{
    return QStringLiteral("{") + members.join(QStringLiteral(", ")) + QStringLiteral("}");
}

QString category(const BankCategory& row)
{
    return object({member("no", number(row.no)), member("title", quoted(row.title))});
}

QString question(const BankQuestion& row)
{
    QStringList members{
        member("no", number(row.no)),
        member("category", number(row.category)),
        member("type", wordOrNumber(SourceWords::typeWord(row.type), row.type)),
        member("text", quoted(row.text)),
        member("answer", wordOrNumber(SourceWords::answerWord(row.answer, row.type), row.answer)),
        member("mustAnswer", mustAnswerValue(row.mustAnswer)),
    };
    if (row.picture)
        members.append(member("picture", quoted(row.pictureFile)));
    return object(members);
}

QString material(const BankMaterial& row)
{
    QStringList members;
    if (row.id)
        members.append(member("id", number(*row.id)));
    members.append(member("title", quoted(row.title)));
    members.append(member("text", quoted(row.text)));
    return object(members);
}

template<typename Row>
QString array(const QString& name, const QList<Row>& rows, QString (*write)(const Row&))
{
    QStringList lines;
    for (const Row& row : rows)
        lines.append(QStringLiteral("    ") + write(row));
    if (lines.isEmpty())
        return QStringLiteral("  \"%1\": []").arg(name);
    return QStringLiteral("  \"%1\": [\n%2\n  ]").arg(name, lines.join(QStringLiteral(",\n")));
}

} // namespace

namespace JsonBankWriter {

QByteArray write(const BankContent& content)
{
    const QStringList members{
        QStringLiteral("  \"format\": \"quenhar-bank\""),
        QStringLiteral("  \"version\": 1"),
        array(QStringLiteral("categories"), content.categories, category),
        array(QStringLiteral("questions"), content.questions, question),
        array(QStringLiteral("materials"), content.materials, material),
    };
    return (QStringLiteral("{\n") + members.join(QStringLiteral(",\n")) + QStringLiteral("\n}\n")).toUtf8();
}

} // namespace JsonBankWriter
