// Writing the tables of a Jet file into a bank: the bank's own tables by
// name, everything else carried over or named.

#include "ToolFixtures.h"

#include "tools/formats/jet/JetBankWriter.h"

#include "store/StoreError.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using Kind = Jet::ColumnKind;

class JetBankWriterTest : public FolderTest
{
protected:
    QString bank() const { return path(QStringLiteral("velmora.db")); }

    // Writes the tables, each with its rows, and commits.
    JetBankWriter& write(const QList<std::pair<Jet::Table, QList<Jet::Row>>>& tables)
    {
        writeFile(bank(), {});
        writer_ = std::make_unique<JetBankWriter>(bank());
        for (const auto& [table, rows] : tables) {
            writer_->beginTable(table);
            for (const Jet::Row& row : rows)
                writer_->row(row);
            writer_->endTable();
        }
        writer_->finish();
        return *writer_;
    }

    std::unique_ptr<JetBankWriter> writer_;
};

Jet::Table subjects(QList<Jet::Column> extra = {})
{
    QList<Jet::Column> columns{{QStringLiteral("NO"), Kind::Integer, QStringLiteral("Long Integer")},
                               {QStringLiteral("Subject"), Kind::Text, QStringLiteral("Memo")},
                               {QStringLiteral("result"), Kind::Integer, QStringLiteral("Integer")},
                               {QStringLiteral("classNo"), Kind::Integer, QStringLiteral("Integer")},
                               {QStringLiteral("passOnly"), Kind::Integer, QStringLiteral("Integer")},
                               {QStringLiteral("fatherNo"), Kind::Integer, QStringLiteral("Long Integer")},
                               {QStringLiteral("BMP"), Kind::Bytes, QStringLiteral("OLE Object")}};
    return {QStringLiteral("SUBJECTS"), columns + extra};
}

Jet::Row question(qint64 no, const Jet::Value& picture, Jet::Row extra = {})
{
    return Jet::Row{no, QStringLiteral("题%1").arg(no), qint64(1), qint64(1), qint64(0), qint64(101), picture} + extra;
}

} // namespace

TEST_F(JetBankWriterTest, fillsTheBanksTablesByNameWhateverTheCase)
{
    const JetBankWriter& writer = write({{subjects(), {question(2, QByteArray("BM\x01", 3)), question(1, {})}}});
    EXPECT_EQ(tableRows(bank(), QStringLiteral("Subjects")),
              (QStringList{QStringLiteral("integer:1|text:题1|integer:1|integer:1|integer:0|integer:101|null"),
                           QStringLiteral("integer:2|text:题2|integer:1|integer:1|integer:0|integer:101|blob:424d01")}));
    EXPECT_EQ(writer.tables().size(), 1);
    EXPECT_EQ(writer.tables()[0].name, QStringLiteral("Subjects"));
    EXPECT_EQ(writer.tables()[0].rows, 2);
    EXPECT_TRUE(writer.leftOut().isEmpty());
}

TEST_F(JetBankWriterTest, keepsEmptyTextAndEmptyPicturesApartFromNull)
{
    write({{subjects(), {Jet::Row{qint64(1), QString(), qint64(0), qint64(0), qint64(0), qint64(101), QByteArray()},
                         Jet::Row{qint64(2), Jet::Value{}, qint64(0), qint64(0), qint64(0), qint64(101), Jet::Value{}}}}});
    EXPECT_EQ(tableRows(bank(), QStringLiteral("Subjects")),
              (QStringList{QStringLiteral("integer:1|text:|integer:0|integer:0|integer:0|integer:101|blob:"),
                           QStringLiteral("integer:2|null|integer:0|integer:0|integer:0|integer:101|null")}));
}

TEST_F(JetBankWriterTest, carriesOverExtraColumnsAndTablesAndNamesThem)
{
    const Jet::Table notes{QStringLiteral("notes"),
                           {{QStringLiteral("id"), Kind::Integer, QStringLiteral("Long Integer")},
                            {QStringLiteral("price"), Kind::Real, QStringLiteral("Currency")}}};
    const JetBankWriter& writer =
        write({{subjects({{QStringLiteral("explain"), Kind::Text, QStringLiteral("Memo")}}),
                {question(1, {}, {QStringLiteral("因为……")})}},
               {notes, {Jet::Row{qint64(7), 12.5}}}});

    EXPECT_EQ(tableRows(bank(), QStringLiteral("Subjects")),
              QStringList{QStringLiteral("integer:1|text:题1|integer:1|integer:1|integer:0|integer:101|null|text:因为……")});
    EXPECT_EQ(tableRows(bank(), QStringLiteral("notes")), QStringList{QStringLiteral("integer:7|real:12.5")});
    const QString notesText = writer.notes().join('\n');
    EXPECT_TRUE(notesText.contains(QStringLiteral("Subjects.explain (Memo): carried over"))) << notesText.toStdString();
    EXPECT_TRUE(notesText.contains(QStringLiteral("table notes: carried over"))) << notesText.toStdString();
    EXPECT_TRUE(notesText.contains(QStringLiteral("table classes: not in the Jet file"))) << notesText.toStdString();
    EXPECT_TRUE(notesText.contains(QStringLiteral("table ziliao: not in the Jet file"))) << notesText.toStdString();
}

TEST_F(JetBankWriterTest, namesWhatItLeavesOut)
{
    const Jet::Table attachments{QStringLiteral("attachments"),
                                 {{QStringLiteral("files"), Kind::Unsupported, QStringLiteral("Attachment or multi-value")}}};
    const Jet::Table reserved{QStringLiteral("sqlite_notes"), {{QStringLiteral("id"), Kind::Integer, QStringLiteral("Byte")}}};
    const Jet::Table materials{QStringLiteral("ziliao"),
                               {{QStringLiteral("title"), Kind::Text, QStringLiteral("Text")},
                                {QStringLiteral("owners"), Kind::Unsupported, QStringLiteral("Attachment or multi-value")}}};
    const JetBankWriter& writer = write({{attachments, {Jet::Row{Jet::Value{}}}},
                                         {reserved, {Jet::Row{qint64(1)}}},
                                         {materials, {Jet::Row{QStringLiteral("须知"), Jet::Value{}}}}});

    const QString leftOut = writer.leftOut().join('\n');
    EXPECT_TRUE(leftOut.contains(QStringLiteral("attachments.files (Attachment or multi-value)"))) << leftOut.toStdString();
    EXPECT_TRUE(leftOut.contains(QStringLiteral("table attachments: none of its columns"))) << leftOut.toStdString();
    EXPECT_TRUE(leftOut.contains(QStringLiteral("table sqlite_notes"))) << leftOut.toStdString();
    EXPECT_TRUE(leftOut.contains(QStringLiteral("ziliao.owners"))) << leftOut.toStdString();
    EXPECT_EQ(tableRows(bank(), QStringLiteral("ziliao")), QStringList{QStringLiteral("integer:1|text:须知|null")});
    const QString notesText = writer.notes().join('\n');
    EXPECT_TRUE(notesText.contains(QStringLiteral("ziliao.id: not in the Jet table, so numbered"))) << notesText.toStdString();
    EXPECT_TRUE(notesText.contains(QStringLiteral("ziliao.memo: not in the Jet table, so null"))) << notesText.toStdString();
}

TEST_F(JetBankWriterTest, refusesAQuestionNumberUsedTwiceNamingTheRow)
{
    writeFile(bank(), {});
    JetBankWriter writer(bank());
    writer.beginTable(subjects());
    writer.row(question(5, {}));
    try {
        writer.row(question(5, {}));
        FAIL() << "a second question 5 was written";
    } catch (const StoreError& error) {
        EXPECT_TRUE(error.text().contains(QStringLiteral("table Subjects, row 2"))) << error.text().toStdString();
    }
}
