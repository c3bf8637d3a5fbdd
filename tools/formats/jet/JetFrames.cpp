#include "tools/formats/jet/JetFrames.h"

#include "store/StoreError.h"

#include <QDataStream>
#include <QIODevice>
#include <QtEndian>

namespace {

// Both ends are the same program, but the version is fixed anyway so that
// the encoding never depends on what Qt defaults to.
constexpr QDataStream::Version streamVersion = QDataStream::Qt_6_0;
constexpr qsizetype lengthBytes = 4;

void writeValue(QDataStream& out, const Jet::Value& value)
{
    out << quint8(value.index());
    std::visit(
        [&out](const auto& held) {
            if constexpr (!std::is_same_v<std::decay_t<decltype(held)>, std::monostate>)
                out << held;
        },
        value);
}

QDataStream& operator<<(QDataStream& out, const Jet::Row& row)
{
    out << quint32(row.size());
    for (const Jet::Value& value : row)
        writeValue(out, value);
    return out;
}

template<std::size_t Index>
Jet::Value readAlternative(QDataStream& in)
{
    std::variant_alternative_t<Index, Jet::Value> held{};
    if constexpr (Index > 0)
        in >> held;
    return held;
}

Jet::Value readValue(QDataStream& in)
{
    Jet::Value value;
    quint8 index = 0;
    in >> index;
    switch (index) {
    case 0: value = readAlternative<0>(in); break;
    case 1: value = readAlternative<1>(in); break;
    case 2: value = readAlternative<2>(in); break;
    case 3: value = readAlternative<3>(in); break;
    case 4: value = readAlternative<4>(in); break;
    default: in.setStatus(QDataStream::ReadCorruptData);
    }
    return value;
}

Jet::Row readRow(QDataStream& in)
{
    quint32 size = 0;
    in >> size;
    Jet::Row row;
    for (quint32 i = 0; i < size && in.status() == QDataStream::Ok; ++i)
        row.append(readValue(in));
    return row;
}

QByteArray encode(Jet::Frame::Kind kind, const auto&... parts)
{
    QByteArray payload;
    QDataStream out(&payload, QIODevice::WriteOnly);
    out.setVersion(streamVersion);
    out << quint8(kind);
    ((out << parts), ...);
    return payload;
}

} // namespace

namespace Jet {

FrameWriter::FrameWriter(std::FILE* stream)
    : stream_(stream)
{
}

void FrameWriter::beginTable(const Table& table)
{
    QList<quint8> kinds;
    QStringList names;
    QStringList typeNames;
    for (const Column& column : table.columns) {
        names.append(column.name);
        kinds.append(quint8(column.kind));
        typeNames.append(column.typeName);
    }
    send(encode(Frame::Kind::Table, table.name, names, kinds, typeNames));
}

void FrameWriter::row(const Row& values)
{
    send(encode(Frame::Kind::Row, values));
}

void FrameWriter::endTable()
{
    send(encode(Frame::Kind::TableEnd));
}

void FrameWriter::finished()
{
    send(encode(Frame::Kind::Finished));
    std::fflush(stream_);
}

void FrameWriter::failed(const QString& message)
{
    send(encode(Frame::Kind::Failed, message));
    std::fflush(stream_);
}

void FrameWriter::send(const QByteArray& payload)
{
    char length[lengthBytes];
    qToLittleEndian(quint32(payload.size()), length);
    if (std::fwrite(length, 1, sizeof length, stream_) != sizeof length
        || std::fwrite(payload.constData(), 1, size_t(payload.size()), stream_) != size_t(payload.size()))
        throw StoreError(QStringLiteral("the importer stopped reading"));
}

void FrameReader::append(const QByteArray& bytes)
{
    buffer_.append(bytes);
}

std::optional<Frame> FrameReader::next()
{
    if (buffer_.size() < lengthBytes)
        return std::nullopt;
    const qsizetype length = qFromLittleEndian<quint32>(buffer_.constData());
    if (buffer_.size() < lengthBytes + length)
        return std::nullopt;

    const QByteArray payload = buffer_.mid(lengthBytes, length);
    buffer_.remove(0, lengthBytes + length);
    QDataStream in(payload);
    in.setVersion(streamVersion);
    quint8 kind = 0;
    in >> kind;
    Frame frame;
    frame.kind = Frame::Kind(kind);
    switch (frame.kind) {
    case Frame::Kind::Table: {
        QStringList names;
        QList<quint8> kinds;
        QStringList typeNames;
        in >> frame.table.name >> names >> kinds >> typeNames;
        if (kinds.size() != names.size() || typeNames.size() != names.size())
            in.setStatus(QDataStream::ReadCorruptData);
        for (qsizetype i = 0; i < names.size() && in.status() == QDataStream::Ok; ++i) {
            if (kinds[i] > quint8(ColumnKind::Unsupported))
                in.setStatus(QDataStream::ReadCorruptData);
            frame.table.columns.append({names[i], ColumnKind(kinds[i]), typeNames[i]});
        }
        break;
    }
    case Frame::Kind::Row:
        frame.row = readRow(in);
        break;
    case Frame::Kind::Failed:
        in >> frame.message;
        break;
    case Frame::Kind::TableEnd:
    case Frame::Kind::Finished:
        break;
    default:
        in.setStatus(QDataStream::ReadCorruptData);
    }
    if (in.status() != QDataStream::Ok || !in.atEnd())
        throw StoreError(QStringLiteral("the Jet reader sent data that does not decode"));
    return frame;
}

} // namespace Jet
