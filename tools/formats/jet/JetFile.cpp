#include "tools/formats/jet/JetFile.h"

#include "store/RegularFile.h"

#include <QFileInfo>

namespace {

// The first page starts with a 4-byte magic number, the database engine's
// name, and at offset 0x14 the file format's version (0 for Jet 3).
constexpr qsizetype headerLength = 0x15;
constexpr qsizetype versionOffset = 0x14;

// Read only from a regular file: naming a FIFO or a device must not hang.
QByteArray header(const QString& path)
{
    return RegularFile::readPrefix(path, headerLength).bytes.value_or(QByteArray());
}

bool isJetHeader(const QByteArray& bytes)
{
    return bytes.size() == headerLength && bytes.startsWith(QByteArray("\x00\x01\x00\x00", 4))
        && (bytes.mid(4, 16) == QByteArray("Standard Jet DB\0", 16)
            || bytes.mid(4, 16) == QByteArray("Standard ACE DB\0", 16));
}

} // namespace

namespace JetFile {

bool isJetDatabase(const QString& path)
{
    return isJetHeader(header(path));
}

qint64 pageSize(const QString& path)
{
    const QByteArray bytes = header(path);
    return bytes.size() > versionOffset && bytes.at(versionOffset) == 0 ? 2048 : 4096;
}

QString lengthProblem(const QString& path)
{
    if (!isJetDatabase(path))
        return QStringLiteral("not a Jet database (no \"Standard Jet DB\" header)");
    const qint64 length = QFileInfo(path).size();
    const qint64 page = pageSize(path);
    if (length % page != 0)
        return QStringLiteral("the file is cut short: its %1 bytes are not a whole number of %2-byte pages")
            .arg(length)
            .arg(page);
    return {};
}

} // namespace JetFile
