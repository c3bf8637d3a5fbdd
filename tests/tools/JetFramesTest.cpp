// The stream between the reading child and the importer, and the decoding
// of Jet 4 text.

#include "tools/formats/jet/JetFrames.h"
#include "tools/formats/jet/JetText.h"

#include "store/StoreError.h"

#include <QFile>
#include <QTemporaryFile>

#include <gtest/gtest.h>

namespace {

// Everything a FrameWriter writes, read back from its file.
template<typename Write>
QByteArray written(Write write)
{
    QTemporaryFile file;
    file.open();
    std::FILE* stream = std::fopen(QFile::encodeName(file.fileName()).constData(), "wb");
    Jet::FrameWriter writer(stream);
    write(writer);
    std::fclose(stream);
    return file.readAll();
}

const Jet::Table table{QStringLiteral("Subjects"),
                       {{QStringLiteral("no"), Jet::ColumnKind::Integer, QStringLiteral("Long Integer")},
                        {QStringLiteral("price"), Jet::ColumnKind::Real, QStringLiteral("Currency")},
                        {QStringLiteral("subject"), Jet::ColumnKind::Text, QStringLiteral("Memo")},
                        {QStringLiteral("bmp"), Jet::ColumnKind::Bytes, QStringLiteral("OLE Object")},
                        {QStringLiteral("files"), Jet::ColumnKind::Unsupported, QStringLiteral("Attachment")}}};
const Jet::Row full{qint64(-5000000000), 0.1, QStringLiteral("题𠮷\r\n"), QByteArray("\0BM", 3), Jet::Value{}};
const Jet::Row empty{qint64(0), 0.0, QString(), QByteArray(), Jet::Value{}};

} // namespace

TEST(JetFrames, carryTablesAndRowsWhateverSizesTheBytesComeIn)
{
    const QByteArray stream = written([](Jet::FrameWriter& writer) {
        writer.beginTable(table);
        writer.row(full);
        writer.row(empty);
        writer.endTable();
        writer.finished();
    });

    Jet::FrameReader reader;
    QList<Jet::Frame> frames;
    for (char byte : stream) {
        reader.append(QByteArray(1, byte));
        while (std::optional<Jet::Frame> frame = reader.next())
            frames.append(*frame);
    }
    ASSERT_EQ(frames.size(), 5);
    EXPECT_FALSE(reader.hasPartialFrame());
    EXPECT_EQ(frames[0].kind, Jet::Frame::Kind::Table);
    EXPECT_EQ(frames[0].table.name, table.name);
    ASSERT_EQ(frames[0].table.columns.size(), table.columns.size());
    for (int i = 0; i < table.columns.size(); ++i) {
        EXPECT_EQ(frames[0].table.columns[i].name, table.columns[i].name);
        EXPECT_EQ(frames[0].table.columns[i].kind, table.columns[i].kind);
        EXPECT_EQ(frames[0].table.columns[i].typeName, table.columns[i].typeName);
    }
    EXPECT_EQ(frames[1].row, full);
    EXPECT_EQ(frames[2].row, empty);
    EXPECT_TRUE(std::holds_alternative<QString>(frames[2].row[2])) << "empty text must not turn into null";
    EXPECT_TRUE(std::holds_alternative<QByteArray>(frames[2].row[3])) << "empty bytes must not turn into null";
    EXPECT_EQ(frames[3].kind, Jet::Frame::Kind::TableEnd);
    EXPECT_EQ(frames[4].kind, Jet::Frame::Kind::Finished);
}

TEST(JetFrames, holdBackAFrameCutShort)
{
    const QByteArray stream = written([](Jet::FrameWriter& writer) { writer.failed(QStringLiteral("cut short")); });
    Jet::FrameReader reader;
    reader.append(stream.chopped(1));
    EXPECT_FALSE(reader.next().has_value());
    EXPECT_TRUE(reader.hasPartialFrame());
    reader.append(stream.right(1));
    const std::optional<Jet::Frame> frame = reader.next();
    ASSERT_TRUE(frame.has_value());
    EXPECT_EQ(frame->kind, Jet::Frame::Kind::Failed);
    EXPECT_EQ(frame->message, QStringLiteral("cut short"));
}

TEST(JetFrames, refuseAFrameThatDoesNotDecode)
{
    Jet::FrameReader reader;
    reader.append(QByteArray("\x02\x00\x00\x00\x63\x01", 6));
    EXPECT_THROW(reader.next(), StoreError);
}

TEST(JetText, decodesUtf16KeepingCharactersOutsideTheBasicPlane)
{
    const QString text = QStringLiteral("吉𠮷A");
    const QByteArray stored(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    EXPECT_EQ(JetText::decode(stored), text);
}

TEST(JetText, decodesCompressedTextSwitchingBetweenOneAndTwoByteRuns)
{
    // "Ab" in one-byte characters, then "题" (U+9898) in UTF-16, then "c".
    const QByteArray stored("\xff\xfe"
                            "Ab\x00\x98\x98\x00"
                            "c",
                            9);
    EXPECT_EQ(JetText::decode(stored), QStringLiteral("Ab题c"));
}

TEST(JetText, dropsAHalfCharacterAtTheEnd)
{
    EXPECT_EQ(JetText::decode(QByteArray("A\0B", 3)), QStringLiteral("A"));
}
