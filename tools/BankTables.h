#pragma once

#include <QLatin1Char>
#include <QList>
#include <QString>
#include <QStringList>

// The tables and columns of a bank that the program reads (see
// BankSchema::createStatements() for how the tool creates them).
namespace BankTables {

struct Table
{
    QString name;
    QStringList columns;
};

inline Table classes()
{
    return {QStringLiteral("classes"), {QStringLiteral("no"), QStringLiteral("remark")}};
}

inline Table subjects()
{
    return {QStringLiteral("Subjects"),
            {QStringLiteral("no"), QStringLiteral("subject"), QStringLiteral("result"), QStringLiteral("classNo"),
             QStringLiteral("passOnly"), QStringLiteral("fatherNo"), QStringLiteral("bmp")}};
}

inline Table materials()
{
    return {QStringLiteral("ziliao"), {QStringLiteral("title"), QStringLiteral("memo")}};
}

inline QList<Table> all()
{
    return {classes(), subjects(), materials()};
}

// Names in square brackets, comma-separated: a double-quoted name that
// matches no column would be read by SQLite as a string, hiding a missing
// column.
inline QString bracketed(const QStringList& names)
{
    QStringList quoted;
    for (const QString& name : names)
        quoted.append(QLatin1Char('[') + name + QLatin1Char(']'));
    return quoted.join(QStringLiteral(", "));
}

} // namespace BankTables
