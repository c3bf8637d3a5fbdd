#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

// Where things are in a JSON text, by line: Qt's parser gives values but no
// positions, and problems in a bank source must name the line of the
// question they are about.
class JsonLineIndex
{
public:
    // Indexes `json`, which should already have parsed without error.
    explicit JsonLineIndex(const QByteArray& json);

    // The line (1-based) where element `index` of the top-level member
    // `arrayKey` starts; the member's own line, or 1, when unknown.
    int elementLine(const QString& arrayKey, qsizetype index) const;

    // The line of a byte offset into the text.
    static int lineAt(const QByteArray& json, qsizetype offset);

private:
    QHash<QString, QList<int>> elementLines_;
    QHash<QString, int> memberLines_;
};
