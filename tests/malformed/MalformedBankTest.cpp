#include "FileProtection.h"
#include "MalformedBanks.h"
#include "WindowExercise.h"

#include "support/FormDriver.h"

#include <QProcess>
#include <QSet>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <ostream>

// Failures name the bank rather than dump its bytes.
void PrintTo(const MalformedBank& bank, std::ostream* out)
{
    *out << bank.name;
}

namespace {

const QString missingBank = QStringLiteral("缺少velmora.db文件，不能允许!");

// Every message the program shows of its own, without an icon.
bool isProgramMessage(const QString& text)
{
    static const QSet<QString> messages{
        missingBank,
        QStringLiteral("模拟考试开始!"),
        QStringLiteral("必答题错误，你已经没有机会了!"),
        QStringLiteral("恭喜您，考试通过!"),
        QStringLiteral("很遗憾的告诉您没有通过，请再次努力!"),
        QStringLiteral("测试中，不能后退!"),
        QStringLiteral("测试中，不能跳过!"),
    };
    return messages.contains(text) || text.startsWith(QStringLiteral("正确答案是:"));
}

// Starts another program's long write on the bank and waits until it holds
// the lock, which it keeps until its input is closed.
std::unique_ptr<QProcess> lockBank(const QString& path)
{
    auto holder = std::make_unique<QProcess>();
    holder->start(QStringLiteral(QUENHAR_BANK_LOCK_HOLDER), {path});
    if (!holder->waitForReadyRead(10000) || !holder->readAllStandardOutput().startsWith("locked"))
        throw std::runtime_error("the lock holder did not lock the bank");
    return holder;
}

class MalformedBankTest : public ::testing::TestWithParam<MalformedBank>
{
};

} // namespace

TEST_P(MalformedBankTest, startsReportsEveryFaultAndLeavesTheFileAsItWas)
{
    const MalformedBank& malformed = GetParam();
    TestBank bank;
    addPlayableContent(bank);
    malformed.make(bank);
    const QByteArray digestBefore = fileDigest(bank.path());
    const QStringList entriesBefore = folderEntries(bank.dir());

    std::optional<ReadOnlyGuard> readOnly;
    if (malformed.hold == MalformedBank::Hold::ReadOnlyFile)
        readOnly.emplace(bank.path());
    if (malformed.hold == MalformedBank::Hold::ReadOnlyFolder)
        readOnly.emplace(bank.dir());
    std::unique_ptr<QProcess> writer;
    if (malformed.hold == MalformedBank::Hold::LockedByWriter)
        writer = lockBank(bank.path());

    bool opened = false;
    bool posted = false;
    QList<MessageBoxWatcher::Box> boxes;
    {
        FormDriver ui(bank);
        opened = ui.form().isDatabaseOpen();
        if (opened) {
            useEveryPartOfTheWindow(ui);
            // A read-only bank is the one case where a post is tried: it must
            // fail with an error and write nothing.
            if (readOnly && readOnly->inForce())
                posted = postReferenceText(ui);
        }
        boxes = ui.messages().boxes();
    }
    if (writer) {
        writer->closeWriteChannel(); // the other program's write ends
        EXPECT_TRUE(writer->waitForFinished(20000));
    }

    switch (malformed.outcome) {
    case MalformedBank::Outcome::Refused:
        EXPECT_FALSE(opened);
        break;
    case MalformedBank::Outcome::Opens:
        EXPECT_TRUE(opened);
        break;
    case MalformedBank::Outcome::Either:
        break;
    }
    if (!opened) {
        ASSERT_EQ(boxes.size(), 1);
        EXPECT_EQ(boxes[0].text, missingBank);
    }
    bool expectedErrorShown = malformed.expectedError.isEmpty();
    bool errorShown = false;
    for (const MessageBoxWatcher::Box& box : boxes) {
        EXPECT_EQ(box.title, QStringLiteral("Lumeross_2007")) << box.text.toStdString();
        if (box.icon == QMessageBox::Critical) {
            EXPECT_FALSE(box.text.trimmed().isEmpty());
            errorShown = true;
            expectedErrorShown = expectedErrorShown || box.text.contains(malformed.expectedError);
        } else {
            EXPECT_EQ(box.icon, QMessageBox::NoIcon) << box.text.toStdString();
            EXPECT_TRUE(isProgramMessage(box.text)) << box.text.toStdString();
        }
    }
    EXPECT_TRUE(expectedErrorShown) << "no error box says: " << malformed.expectedError.toStdString();

    EXPECT_TRUE(errorShown || !posted) << "a post to a read-only bank did not report an error";

    const bool protectionMissing = readOnly && !readOnly->inForce();
    readOnly.reset();
    EXPECT_EQ(fileDigest(bank.path()), digestBefore) << "the bank was changed";
    EXPECT_EQ(folderEntries(bank.dir()), entriesBefore) << "files were left beside the bank";
    if (protectionMissing)
        GTEST_SKIP() << "the bank could not be made read-only here (as root where chattr +i is not possible; a "
                        "folder on Windows; a file under Wine run by root): it was not written, but it was not "
                        "protected either, so the read-only handling itself was not tried";
}

INSTANTIATE_TEST_SUITE_P(Banks, MalformedBankTest, ::testing::ValuesIn(malformedBanks()),
                         [](const ::testing::TestParamInfo<MalformedBank>& info) { return std::string(info.param.name); });
