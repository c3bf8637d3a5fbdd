#include "support/TestBank.h"

#include <QProcess>

#include <gtest/gtest.h>

namespace {

struct Ended
{
    int exitCode = -1;
    QString output;
};

Ended endBySignal(const TestBank& bank, const char* mode)
{
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
#ifdef Q_OS_WIN
    // The end of a Windows session reaches the program through its windows,
    // which the offscreen platform does not make.
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("windows"));
#else
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
#endif
    program.setProcessEnvironment(environment);
    // In the bank's folder, whose Chinese name reaches it as an argument.
    program.start(QStringLiteral(END_REQUEST_PROGRAM), {bank.dir(), QString::fromLatin1(mode)});
    EXPECT_TRUE(program.waitForFinished(30000));
    // Its lines as on Unix: Windows' C library ends the lines it prints with CR LF.
    return {program.exitCode(), QString::fromUtf8(program.readAllStandardOutput()).remove(QLatin1Char('\r'))};
}

} // namespace

TEST(EndRequest, aSignalSavesThePendingTextAndEndsTheProgram)
{
    TestBank bank(true, TestBank::Folder::ChineseName);
    bank.addMaterial(QStringLiteral("资料"), QStringLiteral("原文"));
    const Ended run = endBySignal(bank, "save");
    EXPECT_EQ(run.exitCode, 0) << run.output.toStdString();
    EXPECT_EQ(bank.scalar(QStringLiteral("select memo from ziliao")), QStringLiteral("改原文"));
}

TEST(EndRequest, aSignalKeepsTheProgramOpenWhenThePendingTextCannotBeSaved)
{
    TestBank bank(true, TestBank::Folder::ChineseName);
    bank.addMaterial(QStringLiteral("资料"), QStringLiteral("原文"));
    const Ended run = endBySignal(bank, "unsaveable");
    EXPECT_EQ(run.exitCode, 3) << run.output.toStdString();
    EXPECT_TRUE(run.output.startsWith(QStringLiteral("open\n")));
    // The one box, in Chinese, with the store's reason in Chinese too.
    EXPECT_TRUE(run.output.contains(QStringLiteral("“各种资料”中的修改没有保存"))) << run.output.toStdString();
    EXPECT_TRUE(run.output.contains(QStringLiteral("已被另一个程序删除"))) << run.output.toStdString();
}
