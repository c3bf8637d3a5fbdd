#pragma once

#include "tools/formats/jet/JetTable.h"

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <optional>

// The stream in which the process reading a Jet file hands its tables to
// the importer: a series of frames, each a 32-bit little-endian length and
// that many bytes, the first of which says what the frame holds. The stream
// is complete only when it ends with a Finished frame; anything cut short
// means the reader died.
namespace Jet {

struct Frame
{
    enum class Kind : quint8 { Table = 1, Row, TableEnd, Finished, Failed };

    Kind kind = Kind::Failed;
    Table table;     // Table
    Row row;         // Row
    QString message; // Failed: why the file cannot be read
};

// Writes the frames to a stream (the reading process's stdout).
class FrameWriter : public RowSink
{
public:
    explicit FrameWriter(std::FILE* stream);

    void beginTable(const Table& table) override;
    void row(const Row& values) override;
    void endTable() override;

    // Ends the stream: every table has been sent, or the file cannot be read.
    void finished();
    void failed(const QString& message);

private:
    void send(const QByteArray& payload);

    std::FILE* stream_;
};

// Cuts the bytes read from the reading process into frames.
class FrameReader
{
public:
    void append(const QByteArray& bytes);

    // The next complete frame; nothing while its bytes have not all come.
    // Raises StoreError on a frame that does not decode.
    std::optional<Frame> next();

    // Bytes of a frame that has not come whole.
    bool hasPartialFrame() const { return !buffer_.isEmpty(); }

private:
    QByteArray buffer_;
};

} // namespace Jet
