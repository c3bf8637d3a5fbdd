#include "tools/formats/json/JsonLineIndex.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>

namespace {

// The end of the string literal that starts at `begin` (on its opening quote):
// the index just past its closing quote.
qsizetype stringEnd(const QByteArray& json, qsizetype begin)
{
    qsizetype i = begin + 1;
    while (i < json.size() && json[i] != '"')
        i += json[i] == '\\' ? 2 : 1;
    return i + 1;
}

QString decodedString(const QByteArray& literal)
{
    return QJsonDocument::fromJson("[" + literal + "]").array().at(0).toString();
}

} // namespace

JsonLineIndex::JsonLineIndex(const QByteArray& json)
{
    // Depth 1 is inside the top-level object, depth 2 inside one of its
    // members' values: the arrays whose elements are rows.
    int depth = 0;
    int line = 1;
    QString lastString;
    QString member;
    bool inMemberArray = false;
    bool expectingElement = false;

    for (qsizetype i = 0; i < json.size(); ++i) {
        const char c = json[i];
        if (c == '\n') {
            ++line;
            continue;
        }
        if (c == ' ' || c == '\t' || c == '\r')
            continue;

        if (depth == 2 && inMemberArray && expectingElement && c != ']') {
            elementLines_[member].append(line);
            expectingElement = false;
        }

        switch (c) {
        case '"': {
            const qsizetype end = stringEnd(json, i);
            if (depth == 1)
                lastString = decodedString(json.mid(i, end - i));
            i = end - 1;
            break;
        }
        case ':':
            if (depth == 1) {
                member = lastString;
                memberLines_.insert(member, line);
            }
            break;
        case '[':
        case '{':
            ++depth;
            if (depth == 2) {
                inMemberArray = c == '[';
                expectingElement = inMemberArray;
            }
            break;
        case ']':
        case '}':
            --depth;
            break;
        case ',':
            if (depth == 2 && inMemberArray)
                expectingElement = true;
            break;
        default:
            break;
        }
    }
}

int JsonLineIndex::elementLine(const QString& arrayKey, qsizetype index) const
{
    const QList<int> lines = elementLines_.value(arrayKey);
    if (index >= 0 && index < lines.size())
        return lines[index];
    return memberLines_.value(arrayKey, 1);
}

int JsonLineIndex::lineAt(const QByteArray& json, qsizetype offset)
{
    return 1 + int(json.left(offset).count('\n'));
}
