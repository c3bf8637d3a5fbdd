#include "store/RegularFile.h"

#include "store/OpenedFile.h"

namespace {

RegularFile::Result tooLarge(qint64 count)
{
    return {std::nullopt, RegularFile::tr("is larger than %1, the limit for this kind of file")
                              .arg(RegularFile::sizeText(count))};
}

// Reads up to `count` bytes, or `count + 1` to tell a file that is too long.
RegularFile::Result readFile(const QString& path, qint64 count, bool whole)
{
    OpenedFile file(path);
    if (!file.error().isEmpty())
        return {std::nullopt, file.error()};
    if (whole && file.size() > count)
        return tooLarge(count);

    const qint64 wanted = whole ? count + 1 : count;
    QByteArray bytes;
    bytes.resize(qsizetype(qMin<qint64>(wanted, whole ? file.size() + 1 : wanted)));
    qint64 done = 0;
    while (done < wanted) {
        if (done == bytes.size())
            bytes.resize(qsizetype(qMin<qint64>(wanted, qMax<qint64>(bytes.size() * 2, 4096))));
        const qint64 got = file.read(bytes.data() + done, bytes.size() - done);
        if (got < 0)
            return {std::nullopt, file.error()};
        if (got == 0)
            break;
        done += got;
    }
    // The file may have grown since it was measured.
    if (whole && done > count)
        return tooLarge(count);
    bytes.truncate(qsizetype(done));
    return {bytes, {}};
}

} // namespace

RegularFile::Result RegularFile::read(const QString& path, qint64 maxBytes)
{
    return readFile(path, maxBytes, true);
}

RegularFile::Result RegularFile::readPrefix(const QString& path, qint64 count)
{
    return readFile(path, count, false);
}

QString RegularFile::sizeText(qint64 bytes)
{
    constexpr qint64 kb = 1024;
    constexpr qint64 mb = kb * 1024;
    constexpr qint64 gb = mb * 1024;
    if (bytes >= gb && bytes % gb == 0)
        return tr("%1 GB").arg(bytes / gb);
    // Whole units as they are ("64 MB", a limit); others to a tenth.
    const auto inUnits = [bytes](qint64 unit) {
        return bytes % unit == 0 ? QString::number(bytes / unit) : QString::number(double(bytes) / unit, 'f', 1);
    };
    if (bytes >= mb)
        return tr("%1 MB").arg(inUnits(mb));
    if (bytes >= kb)
        return tr("%1 KB").arg(inUnits(kb));
    return tr("%1 bytes").arg(bytes);
}
