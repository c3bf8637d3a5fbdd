#include "tools/formats/sheet/ZipArchive.h"

#include "store/RegularFile.h"

namespace ZipArchive {

Archive::Archive(QByteArray bytes, qint64 maxPartBytes, const QString& notZip)
    : bytes_(std::move(bytes))
    , maxPartBytes_(maxPartBytes)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes_.constData(), zip_uint64_t(bytes_.size()), 0, &error);
    if (source)
        zip_ = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (source && !zip_)
        zip_source_free(source);
    zip_error_fini(&error);
    if (!zip_)
        throw Unreadable{notZip};
}

Archive::~Archive()
{
    zip_discard(zip_);
}

bool Archive::has(const QString& name) const
{
    return index(name) >= 0;
}

zip_int64_t Archive::index(const QString& name) const
{
    return zip_name_locate(zip_, name.toUtf8().constData(), ZIP_FL_NOCASE);
}

QByteArray Archive::part(const QString& name)
{
    const auto damaged = [&name] {
        return Unreadable{tr("the part %1 of the workbook is damaged; open the file in your spreadsheet program and "
                             "save it again")
                              .arg(name)};
    };
    const zip_int64_t at = index(name);
    if (at < 0)
        throw Unreadable{tr("the workbook has no part %1; it is damaged or not made by a spreadsheet program; open "
                            "it in your spreadsheet program and save it again")
                             .arg(name)};
    zip_file_t* file = zip_fopen_index(zip_, zip_uint64_t(at), 0);
    if (!file)
        throw damaged();
    QByteArray bytes;
    char chunk[65536];
    for (;;) {
        const zip_int64_t got = zip_fread(file, chunk, sizeof chunk);
        if (got < 0) {
            zip_fclose(file);
            throw damaged();
        }
        if (got == 0)
            break;
        if (bytes.size() + got > maxPartBytes_) {
            zip_fclose(file);
            throw Unreadable{tr("the part %1 of the workbook unpacks to more than %2, the limit; the file is "
                                "damaged or made to fill the memory")
                                 .arg(name, RegularFile::sizeText(maxPartBytes_))};
        }
        bytes.append(chunk, qsizetype(got));
    }
    if (zip_fclose(file) != 0)
        throw damaged();
    return bytes;
}

Part::Part(const QString& name, const QByteArray& xml)
    : name_(name)
    , reader_(xml)
{
}

QString Part::attribute(const char* name) const
{
    for (const QXmlStreamAttribute& attribute : reader_.attributes())
        if (attribute.name() == QLatin1String(name))
            return attribute.value().toString();
    return {};
}

void Part::failIfBroken()
{
    if (reader_.tokenType() == QXmlStreamReader::DTD)
        throw Unreadable{tr("the part %1 of the workbook declares a document type, which no spreadsheet program "
                            "writes; the file is refused")
                             .arg(name_)};
    if (reader_.hasError())
        throw Unreadable{tr("the part %1 of the workbook is damaged (line %2: %3); open the file in your "
                            "spreadsheet program and save it again")
                             .arg(name_)
                             .arg(reader_.lineNumber())
                             .arg(reader_.errorString())};
}

QXmlStreamReader::TokenType Part::next()
{
    const QXmlStreamReader::TokenType token = reader_.readNext();
    failIfBroken();
    return token;
}

bool Part::nextStart()
{
    while (!reader_.atEnd()) {
        if (next() == QXmlStreamReader::StartElement)
            return true;
    }
    failIfBroken();
    return false;
}

} // namespace ZipArchive
