#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QXmlStreamReader>

#include <zip.h>

// The zip container of a workbook (xlsx or ods), read from memory with
// libzip, and the XML parts inside it. A workbook is an untrusted file: a
// part may unpack to at most a limit (a zip bomb stops there), a part that
// declares a document type is refused, and a missing or damaged part is an
// error that names it.
namespace ZipArchive {

// A failure that ends reading the workbook, with the message to show.
struct Unreadable
{
    QString message;
};

class Archive
{
    Q_DECLARE_TR_FUNCTIONS(ZipArchive)

public:
    // Throws Unreadable{notZip} when the bytes are not a zip archive.
    Archive(QByteArray bytes, qint64 maxPartBytes, const QString& notZip);
    ~Archive();
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;

    bool has(const QString& name) const;

    // A part, unpacked; libzip checks each part's checksum as it reads it.
    QByteArray part(const QString& name);

private:
    zip_int64_t index(const QString& name) const;

    QByteArray bytes_;
    qint64 maxPartBytes_;
    zip_t* zip_ = nullptr;
};

// Reads one XML part, refusing document type declarations (the parts
// never have one; entities declared in one could expand without bound).
class Part
{
    Q_DECLARE_TR_FUNCTIONS(ZipArchive)

public:
    Part(const QString& name, const QByteArray& xml);

    // The next start element; false at the end of the part.
    bool nextStart();

    // The next token, with the same checks.
    QXmlStreamReader::TokenType next();

    QXmlStreamReader& reader() { return reader_; }
    QStringView name() const { return reader_.name(); }
    // An attribute by its local name, whatever its prefix (OpenDocument
    // prefixes every attribute: table:name).
    QString attribute(const char* name) const;

private:
    void failIfBroken();

    QString name_;
    QXmlStreamReader reader_;
};

} // namespace ZipArchive
