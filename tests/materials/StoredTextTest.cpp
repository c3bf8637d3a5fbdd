#include "materials/EditedText.h"

#include "TypeText.h"

#include "support/TestBank.h"
#include "store/Database.h"
#include "store/RecordSet.h"
#include "materials/ZiLiaoPage.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// A text as the document holds it, and what the user's edits make of it.
struct Document
{
    explicit Document(const QString& stored)
    {
        document.setPlainText(stored);
        text = EditedText(stored, document.toRawText());
    }

    void insertAt(int position, const QString& typed)
    {
        QTextCursor cursor(&document);
        cursor.setPosition(position);
        cursor.insertText(typed);
        text.edit(document.toRawText());
    }

    void removeAt(int position, int count)
    {
        QTextCursor cursor(&document);
        cursor.setPosition(position);
        cursor.setPosition(position + count, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        text.edit(document.toRawText());
    }

    QTextDocument document;
    EditedText text;
};

} // namespace

TEST(EditedText, everyCharacterTheUserDidNotTouchKeepsItsStoredForm)
{
    // Every character of the Basic Multilingual Plane between two others,
    // then typing at the end and at the start: whatever Qt's document makes
    // of the character, it is written back as it was stored.
    for (char16_t c = 1; c < 0xfffe; ++c) {
        if (QChar::isSurrogate(c))
            continue;
        const QString stored = QStringLiteral("甲") + QChar(c) + QStringLiteral("乙");
        Document doc(stored);
        doc.insertAt(doc.document.characterCount() - 1, QStringLiteral("改"));
        doc.insertAt(0, QStringLiteral("前"));
        ASSERT_EQ(doc.text.stored(), QStringLiteral("前") + stored + QStringLiteral("改")) << int(c);
    }
}

TEST(EditedText, editsReplaceOnlyTheStretchTheUserChanged)
{
    struct Case
    {
        const char* what;
        QString stored;
        std::function<void(Document&)> edit;
        QString expected;
    };
    const Case cases[] = {
        {"new line in a CR LF text", QStringLiteral("一\r\n二"), [](Document& d) { d.insertAt(3, QStringLiteral("\n三")); },
         QStringLiteral("一\r\n二\r\n三")},
        {"new line in a CR text", QStringLiteral("一\r二"), [](Document& d) { d.insertAt(1, QStringLiteral("\n")); },
         QStringLiteral("一\r\r二")},
        {"new line in a text without line ends", QStringLiteral("一"),
         [](Document& d) { d.insertAt(1, QStringLiteral("\n")); }, QStringLiteral("一\n")},
        {"a CR LF deleted", QStringLiteral("一\r\n二\u00a0"), [](Document& d) { d.removeAt(1, 1); },
         QStringLiteral("一二\u00a0")},
        {"a word replaced beside a no-break space", QStringLiteral("限速\u00a060\t公里"),
         [](Document& d) {
             d.removeAt(3, 2);
             d.insertAt(3, QStringLiteral("80"));
         },
         QStringLiteral("限速\u00a080\t公里")},
        {"typed back to the stored text", QStringLiteral("甲\u2028乙  "),
         [](Document& d) {
             d.insertAt(2, QStringLiteral("丙"));
             d.removeAt(2, 1);
         },
         QStringLiteral("甲\u2028乙  ")},
        {"everything replaced", QStringLiteral("a\r\nb\u2029c"),
         [](Document& d) {
             d.removeAt(0, d.document.characterCount() - 1);
             d.insertAt(0, QStringLiteral("新"));
         },
         QStringLiteral("新")},
    };
    for (const Case& c : cases) {
        Document doc(c.stored);
        c.edit(doc);
        EXPECT_EQ(doc.text.stored(), c.expected) << c.what;
    }
}

namespace {

// The materials page over a bank of its own, whose first entry holds `memo`.
class PageOnBank
{
public:
    explicit PageOnBank(const QString& memo)
    {
        bank.addMaterial(QStringLiteral("标题"), memo);
        bank.addMaterial(QStringLiteral("另一条"), QStringLiteral("别的"));
        db_ = std::make_unique<Database>(bank.path());
        set_ = std::make_unique<RecordSet>(*db_);
        page_ = std::make_unique<ZiLiaoPage>(*set_, ZiLiaoPage::UserChoices{[] { return false; }, {}});
        page_->resize(600, 400);
        page_->show();
        page_->showPage();
    }

    QPlainTextEdit* memo() const { return page_->findChild<QPlainTextEdit*>(QStringLiteral("DBMemo2")); }
    void click(const char* name)
    {
        page_->findChild<QToolButton*>(QStringLiteral("DBNavigator3") + QLatin1String(name))->click();
    }
    bool editing() const { return set_->isEditing(); }

    void placeCursor(int position)
    {
        memo()->setFocus();
        QTextCursor cursor = memo()->textCursor();
        cursor.setPosition(position);
        memo()->setTextCursor(cursor);
    }
    void typeAt(int position, const QString& text)
    {
        placeCursor(position);
        typeText(memo(), text);
    }
    int end() const { return memo()->document()->characterCount() - 1; }

    // The stored bytes of the first entry's text.
    QByteArray storedBytes()
    {
        return QByteArray::fromHex(bank.scalar(QStringLiteral("select hex(memo) from ziliao where id = 1")).toLatin1());
    }
    QByteArray fileBytes() const
    {
        QFile file(bank.path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    TestBank bank;

private:
    std::unique_ptr<Database> db_;
    std::unique_ptr<RecordSet> set_;
    std::unique_ptr<ZiLiaoPage> page_;
};

struct SpecialText
{
    const char* kind;
    QString stored;
    int middle; // a place in the text box, as the document counts it
    QString typedInTheMiddle;
};

const SpecialText specialTexts[] = {
    {"no-break space", QStringLiteral("限速\u00a060公里"), 3, QStringLiteral("限速\u00a0中60公里")},
    {"CR LF line ends", QStringLiteral("第一行\r\n第二行\r\n"), 4, QStringLiteral("第一行\r\n中第二行\r\n")},
    {"CR line ends", QStringLiteral("甲\r乙\r"), 2, QStringLiteral("甲\r中乙\r")},
    {"mixed line ends", QStringLiteral("a\nb\r\nc\rd"), 3, QStringLiteral("a\nb中\r\nc\rd")},
    {"tabs", QStringLiteral("甲\t乙\t"), 2, QStringLiteral("甲\t中乙\t")},
    {"trailing spaces", QStringLiteral("行尾  \n下一行   "), 4, QStringLiteral("行尾  中\n下一行   ")},
    {"line separator U+2028", QStringLiteral("甲\u2028乙"), 2, QStringLiteral("甲\u2028中乙")},
    {"paragraph separator U+2029", QStringLiteral("甲\u2029乙"), 1, QStringLiteral("甲中\u2029乙")},
    {"Qt's frame marks", QStringLiteral("甲\ufdd0乙\ufdd1丙"), 3, QStringLiteral("甲\ufdd0乙中\ufdd1丙")},
    {"byte order mark and zero-width space", QStringLiteral("\ufeff开头\u200b"), 1,
     QStringLiteral("\ufeff中开头\u200b")},
};

} // namespace

TEST(StoredTextOnThePage, typedTextIsWrittenIntoTheStoredTextAndNothingElseChanges)
{
    for (const SpecialText& text : specialTexts) {
        SCOPED_TRACE(text.kind);
        {
            PageOnBank page(text.stored);
            page.typeAt(page.end(), QStringLiteral("改"));
            page.click("Post");
            EXPECT_EQ(page.storedBytes(), (text.stored + QStringLiteral("改")).toUtf8()) << "at the end";
        }
        {
            PageOnBank page(text.stored);
            page.typeAt(text.middle, QStringLiteral("中"));
            page.click("Post");
            EXPECT_EQ(page.storedBytes(), text.typedInTheMiddle.toUtf8()) << "in the middle";
            // The text box goes on showing the text with the cursor where it was.
            EXPECT_EQ(page.memo()->textCursor().position(), text.middle + 1);
        }
    }
}

TEST(StoredTextOnThePage, aTextOnlyViewedIsNeverWritten)
{
    for (const SpecialText& text : specialTexts) {
        SCOPED_TRACE(text.kind);
        PageOnBank page(text.stored);
        const QByteArray before = page.fileBytes();
        page.placeCursor(text.middle);
        QTest::keyClick(page.memo(), Qt::Key_End);
        QTest::keyClick(page.memo(), Qt::Key_Left, Qt::ShiftModifier);
        page.click("Next");
        page.click("First");
        EXPECT_FALSE(page.editing());
        EXPECT_EQ(page.fileBytes(), before);
        EXPECT_EQ(page.storedBytes(), text.stored.toUtf8());
    }
}

TEST(StoredTextOnThePage, aNewLineTypedEndsAsTheTextsOwnLinesEnd)
{
    const struct
    {
        QString stored;
        QString expected;
    } cases[] = {
        {QStringLiteral("一\r\n二"), QStringLiteral("一\r\n二\r\n三")},
        {QStringLiteral("一\r二"), QStringLiteral("一\r二\r三")},
        {QStringLiteral("一\n二"), QStringLiteral("一\n二\n三")},
        {QStringLiteral("一"), QStringLiteral("一\n三")},
    };
    for (const auto& c : cases) {
        PageOnBank page(c.stored);
        page.placeCursor(page.end());
        QTest::keyClick(page.memo(), Qt::Key_Return);
        typeText(page.memo(), QStringLiteral("三"));
        page.click("Post");
        EXPECT_EQ(page.storedBytes(), c.expected.toUtf8());
    }
}
