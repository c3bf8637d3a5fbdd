#include "support/FormDriver.h"

#include <QCheckBox>
#include <QLabel>
#include <QPixmap>

#include <gtest/gtest.h>

namespace {

// One category, 101, holding the given questions.
class QuestionDisplay : public ::testing::Test
{
protected:
    void start()
    {
        bank.addClass(101, QStringLiteral("道路通行规定"));
        ui = std::make_unique<FormDriver>(bank);
    }

    QSize pictureSize() const
    {
        const QPixmap picture = ui->get<QLabel>("Image1")->pixmap();
        return picture.isNull() ? QSize() : picture.size();
    }

    TestBank bank;
    std::unique_ptr<FormDriver> ui;
};

} // namespace

TEST_F(QuestionDisplay, showsASingleChoiceQuestionWithItsPictureMarkerAndKey)
{
    bank.addSubject({1, QStringLiteral("单选题\nA、一\nB、二\nC、三"), 1, 0, 1, 101, withPictureHeader(makeBitmap(30, 20))});
    start();
    EXPECT_EQ(ui->question(), QStringLiteral("单选题\nA、一\nB、二\nC、三"));
    for (const char* memo : {"mmShunxu", "mmZhongDian", "mmMoNi"})
        EXPECT_EQ(ui->text(memo), ui->question()) << memo;
    EXPECT_EQ(pictureSize(), QSize(30, 20));
    EXPECT_TRUE(ui->showing("lbBiDui"));
    EXPECT_TRUE(ui->showing("btA"));
    EXPECT_TRUE(ui->showing("btB"));
    EXPECT_TRUE(ui->showing("btC"));
    EXPECT_FALSE(ui->showing("btOk"));
    EXPECT_FALSE(ui->showing("btError"));
    EXPECT_EQ(ui->text("edKey"), QStringLiteral("B"));
    EXPECT_FALSE(ui->showing("edKey"));
}

TEST_F(QuestionDisplay, trueFalseQuestionsShowTheirButtonsInThePlacesOfAAndC)
{
    bank.addSubject({1, QStringLiteral("判断一"), 0, 1, 0, 101, {}});
    bank.addSubject({2, QStringLiteral("判断二"), 1, 2, 0, 101, {}}); // any type but 0 is true/false
    bank.addSubject({3, QStringLiteral("判断三"), 2, 1, 0, 101, {}});
    start();
    EXPECT_TRUE(ui->showing("btOk"));
    EXPECT_TRUE(ui->showing("btError"));
    EXPECT_FALSE(ui->showing("btA"));
    EXPECT_FALSE(ui->showing("btB"));
    EXPECT_FALSE(ui->showing("btC"));
    EXPECT_FALSE(ui->showing("lbBiDui"));
    EXPECT_EQ(ui->text("edKey"), QStringLiteral("对"));
    EXPECT_TRUE(pictureSize().isEmpty());

    ui->click("btNext");
    EXPECT_TRUE(ui->showing("btOk"));
    EXPECT_EQ(ui->text("edKey"), QStringLiteral("错"));

    // Answer 2 on a true/false question: key "C", and neither button is right.
    ui->click("btNext");
    EXPECT_EQ(ui->text("edKey"), QStringLiteral("C"));
    ui->click("btOk");
    EXPECT_TRUE(ui->showing("lbError"));
    ui->click("btError");
    EXPECT_TRUE(ui->showing("lbError"));
    EXPECT_FALSE(ui->showing("lbPass"));
}

TEST_F(QuestionDisplay, answeringAgainShowsOnlyTheLatestVerdict)
{
    bank.addSubject({1, QStringLiteral("题"), 2, 0, 0, 101, {}});
    start();
    EXPECT_FALSE(ui->showing("lbPass"));
    EXPECT_FALSE(ui->showing("lbError"));
    ui->click("btA");
    EXPECT_TRUE(ui->showing("lbError"));
    EXPECT_FALSE(ui->showing("lbPass"));
    ui->click("btC");
    EXPECT_TRUE(ui->showing("lbPass"));
    EXPECT_FALSE(ui->showing("lbError"));
    ui->click("btB");
    EXPECT_TRUE(ui->showing("lbError"));
    EXPECT_FALSE(ui->showing("lbPass"));
    EXPECT_EQ(ui->number(), QStringLiteral("1"));
    EXPECT_TRUE(ui->messages().boxes().isEmpty());
}

TEST_F(QuestionDisplay, theKeyIsVisibleExactlyWhileShowAnswerIsChecked)
{
    bank.addSubject({1, QStringLiteral("一"), 0, 0, 0, 101, {}});
    bank.addSubject({2, QStringLiteral("二"), 2, 0, 0, 101, {}});
    start();
    auto* showAnswer = ui->get<QCheckBox>("cbShowDA");
    showAnswer->click();
    EXPECT_TRUE(ui->showing("edKey"));
    EXPECT_EQ(ui->text("edKey"), QStringLiteral("A"));
    ui->click("btNext");
    EXPECT_TRUE(ui->showing("edKey"));
    EXPECT_EQ(ui->text("edKey"), QStringLiteral("C"));
    showAnswer->click();
    EXPECT_FALSE(ui->showing("edKey"));
    ui->click("btPrior");
    EXPECT_FALSE(ui->showing("edKey"));
}

TEST_F(QuestionDisplay, anInvalidPictureIsReportedAndTheQuestionsOwnControlsStillShow)
{
    bank.addSubject({1, QStringLiteral("必答单选"), 1, 0, 1, 101, makeBitmap(10, 10)});
    bank.addSubject({2, QStringLiteral("普通判断"), 0, 1, 0, 101, QByteArray(20, 'x')});
    start();
    EXPECT_EQ(pictureSize(), QSize(10, 10));
    ui->click("btNext");
    EXPECT_EQ(ui->messages().texts(), QStringList{QStringLiteral("Bitmap image is not valid.")});
    EXPECT_EQ(ui->messages().boxes()[0].icon, QMessageBox::Critical);
    EXPECT_EQ(ui->question(), QStringLiteral("普通判断"));
    EXPECT_EQ(ui->number(), QStringLiteral("2"));
    EXPECT_TRUE(pictureSize().isEmpty());
    EXPECT_FALSE(ui->showing("lbBiDui"));
    EXPECT_TRUE(ui->showing("btOk"));
    EXPECT_FALSE(ui->showing("btA"));
    EXPECT_EQ(ui->text("edKey"), QStringLiteral("对"));
}

TEST_F(QuestionDisplay, aNumberFieldHoldingTextIsReportedAndTheWindowGoesOn)
{
    bank.exec(QStringLiteral("drop table Subjects"));
    bank.exec(QStringLiteral("create table Subjects ([no], subject, result, classNo, passOnly, fatherNo, bmp)"));
    bank.exec(QStringLiteral("insert into Subjects values (1, '坏题', 'x', 0, 0, 101, null)"));
    bank.exec(QStringLiteral("insert into Subjects values (2, '好题', 1, 0, 0, 101, null)"));
    start();
    EXPECT_EQ(ui->messages().texts(), QStringList{QStringLiteral("'x' is not a valid integer value.")});
    EXPECT_EQ(ui->question(), QStringLiteral("坏题"));
    ui->click("btNext");
    EXPECT_EQ(ui->question(), QStringLiteral("好题"));
    EXPECT_EQ(ui->text("edKey"), QStringLiteral("B"));
}

TEST_F(QuestionDisplay, aPictureThatCannotBeReadIsReportedOnceAndTheQuestionsOwnControlsStillShow)
{
    // No picture column at all: the failure is not in the picture's bytes.
    bank.exec(QStringLiteral("drop table Subjects"));
    bank.exec(QStringLiteral("create table Subjects ([no], subject, result, classNo, passOnly, fatherNo)"));
    bank.exec(QStringLiteral("insert into Subjects values (1, '必答单选', 0, 0, 1, 101)"));
    bank.exec(QStringLiteral("insert into Subjects values (2, '普通判断', 1, 1, 0, 101)"));
    start();
    ASSERT_EQ(ui->messages().texts().size(), 1);
    const QString error = ui->messages().texts().first();
    EXPECT_TRUE(ui->showing("btA"));
    EXPECT_TRUE(ui->showing("lbBiDui"));
    EXPECT_EQ(ui->text("edKey"), QStringLiteral("A"));

    ui->click("btNext");
    EXPECT_EQ(ui->messages().texts(), (QStringList{error, error}));
    EXPECT_EQ(ui->question(), QStringLiteral("普通判断"));
    EXPECT_EQ(ui->number(), QStringLiteral("2"));
    EXPECT_TRUE(pictureSize().isEmpty());
    EXPECT_FALSE(ui->showing("lbBiDui"));
    EXPECT_TRUE(ui->showing("btOk"));
    EXPECT_TRUE(ui->showing("btError"));
    EXPECT_FALSE(ui->showing("btA"));
    EXPECT_FALSE(ui->showing("btB"));
    EXPECT_FALSE(ui->showing("btC"));
    EXPECT_EQ(ui->text("edKey"), QStringLiteral("错"));
}
