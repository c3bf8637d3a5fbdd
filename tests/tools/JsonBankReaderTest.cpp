#include "tools/formats/json/JsonBankReader.h"

#include "ToolFixtures.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

BankSource readJson(const QTemporaryDir& dir, const QByteArray& json)
{
    const QString path = pathIn(dir, QStringLiteral("bank.json"));
    writeFile(path, json);
    return JsonBankReader::read(path);
}

QStringList errorTexts(const SourceProblems& problems)
{
    QStringList texts;
    for (const SourceProblem& problem : problems.errors())
        texts.append(problem.toString());
    return texts;
}

} // namespace

TEST(JsonBankReader, readsEveryMemberIntoStoredValues)
{
    QTemporaryDir dir;
    const BankSource source = readJson(
        dir, jsonSource({R"({"no": 100, "title": "法规"})", R"({"no": 101, "title": "驾驶证"})"},
                        {R"({"no": 7, "category": 101, "type": "single", "text": "题\nA、一\nB、二\nC、三",)"
                         R"( "answer": "C", "mustAnswer": true, "picture": "pictures/x.png", "basis": "第一条"})",
                         R"({"no": 8, "category": 101, "type": "judge", "text": "判断题", "answer": "错",)"
                         R"( "mustAnswer": false})",
                         R"({"no": 9, "category": 101, "type": 5, "text": "别的", "answer": 4, "mustAnswer": 3})"},
                        {R"({"title": "记分", "text": "十二分"})"}));

    ASSERT_FALSE(source.problems.hasErrors()) << errorTexts(source.problems).join('\n').toStdString();
    const BankContent& content = source.content;
    ASSERT_EQ(content.categories.size(), 2);
    EXPECT_EQ(content.categories[1].no, 101);
    EXPECT_EQ(content.categories[1].title, QStringLiteral("驾驶证"));

    ASSERT_EQ(content.questions.size(), 3);
    const BankQuestion& single = content.questions[0];
    EXPECT_EQ(single.no, 7);
    EXPECT_EQ(single.category, 101);
    EXPECT_EQ(single.type, 0);
    EXPECT_EQ(single.answer, 2);
    EXPECT_EQ(single.mustAnswer, 1);
    EXPECT_EQ(single.text, QStringLiteral("题\nA、一\nB、二\nC、三"));
    EXPECT_EQ(single.pictureFile, pathIn(dir, QStringLiteral("pictures/x.png")));

    EXPECT_EQ(content.questions[1].type, 1);
    EXPECT_EQ(content.questions[1].answer, 1);
    EXPECT_EQ(content.questions[1].mustAnswer, 0);
    EXPECT_TRUE(content.questions[1].pictureFile.isEmpty());

    EXPECT_EQ(content.questions[2].type, 5);
    EXPECT_EQ(content.questions[2].answer, 4);
    EXPECT_EQ(content.questions[2].mustAnswer, 3);

    ASSERT_EQ(content.materials.size(), 1);
    EXPECT_FALSE(content.materials[0].id.has_value());
    EXPECT_EQ(content.materials[0].text, QStringLiteral("十二分"));
}

TEST(JsonBankReader, reportsEveryBadQuestionWithItsLine)
{
    QTemporaryDir dir;
    const QByteArray json = "{\n"                                                                     // 1
                            "  \"format\": \"quenhar-bank\",\n"                                       // 2
                            "  \"version\": 1,\n"                                                     // 3
                            "  \"categories\": [{\"no\": 101, \"title\": \"t\"}],\n"                  // 4
                            "  \"questions\": [\n"                                                    // 5
                            "    {\"no\": 1, \"category\": 101, \"type\": \"single\", \"text\": \"q\",\n" // 6
                            "     \"answer\": \"对\", \"mustAnswer\": false},\n"                      // 7
                            "    {\"no\": 2, \"category\": 101, \"type\": \"judge\", \"text\": \"q\",\n"  // 8
                            "     \"answer\": \"对\", \"mustAnswer\": false},\n"                      // 9
                            "    {\"no\": \"3\", \"category\": 101, \"type\": \"judge\", \"text\": \"q\",\n" // 10
                            "     \"answer\": \"C\", \"mustanswer\": false}\n"                        // 11
                            "  ]\n"
                            "}\n";
    const BankSource source = readJson(dir, json);

    const QStringList errors = errorTexts(source.problems);
    const QString file = pathIn(dir, QStringLiteral("bank.json"));
    EXPECT_EQ(errors.size(), 5) << errors.join('\n').toStdString();
    EXPECT_TRUE(errors.contains(file + QStringLiteral(":6: \"answer\" must be one of A, B, C for this question type, "
                                                      "or a whole number (0 = A, 1 = B, 2 = C)")));
    EXPECT_TRUE(errors.contains(file + QStringLiteral(":10: unknown member \"mustanswer\"")));
    EXPECT_TRUE(errors.contains(file + QStringLiteral(":10: \"no\" must be a whole number")));
    EXPECT_TRUE(errors.contains(file + QStringLiteral(":10: \"mustAnswer\" is missing")));
    EXPECT_EQ(std::count_if(errors.cbegin(), errors.cend(),
                            [&](const QString& e) { return e.startsWith(file + QStringLiteral(":10: \"answer\"")); }),
              1);
    ASSERT_EQ(source.content.questions.size(), 1); // only the good one
    EXPECT_EQ(source.content.questions[0].no, 2);
}

TEST(JsonBankReader, reportsTheLineOfASyntaxError)
{
    QTemporaryDir dir;
    const BankSource source = readJson(dir, "{\n  \"format\": \"quenhar-bank\",\n  \"version\": 1,,\n}\n");
    ASSERT_EQ(source.problems.errors().size(), 1);
    EXPECT_EQ(source.problems.errors()[0].line, 3);
    EXPECT_TRUE(source.problems.errors()[0].reason.startsWith(QStringLiteral("not valid JSON")));
}

TEST(JsonBankReader, refusesAnotherFormatOrVersion)
{
    QTemporaryDir dir;
    QByteArray json = jsonSource({}, {});
    json.replace("\"version\": 1", "\"version\": 2").replace("quenhar-bank", "other");
    const QStringList errors = errorTexts(readJson(dir, json).problems);
    EXPECT_EQ(errors.size(), 2) << errors.join('\n').toStdString();
}

TEST(JsonBankReader, duplicateQuestionNumbersAreErrorsAndUnofferedCategoriesWarnings)
{
    QTemporaryDir dir;
    const BankSource source = readJson(
        dir, jsonSource({R"({"no": 100, "title": "章"})", R"({"no": 101, "title": "节"})"},
                        {R"({"no": 1, "category": 101, "type": "judge", "text": "q", "answer": "对", "mustAnswer": false})",
                         R"({"no": 1, "category": 100, "type": "judge", "text": "q", "answer": "对", "mustAnswer": false})",
                         R"({"no": 2, "category": 555, "type": "judge", "text": "q", "answer": "对", "mustAnswer": false})"}));
    ASSERT_EQ(source.problems.errors().size(), 1);
    EXPECT_TRUE(source.problems.errors()[0].reason.contains(QStringLiteral("question number 1 is used again")));
    ASSERT_EQ(source.problems.warnings().size(), 2);
    EXPECT_TRUE(source.problems.warnings()[0].reason.contains(QStringLiteral("chapter heading")));
    EXPECT_TRUE(source.problems.warnings()[1].reason.contains(QStringLiteral("category 555 is not listed")));
}

// Numeric answers count from 0 (0 = A). A source whose numeric answers never
// use 0 but use 3 counts from 1 and is refused, with the fix; anything else
// is read as written.
TEST(JsonBankReader, refusesNumericAnswersCountedFromOne)
{
    const auto questions = [](const QList<int>& answers) {
        QStringList entries;
        for (qsizetype i = 0; i < answers.size(); ++i)
            entries.append(QStringLiteral(R"({"no": %1, "category": 101, "type": "single", "text": "q", )"
                                          R"("answer": %2, "mustAnswer": false})")
                               .arg(i + 1)
                               .arg(answers[i]));
        return entries;
    };
    const struct
    {
        QList<int> answers;
        bool refused;
    } cases[] = {
        {{1, 2, 3, 1}, true},
        {{3}, true},
        {{0, 1, 2}, false},
        {{1, 2, 2}, false},
        {{0, 3}, false}, // 3 is then a stored code outside A to C, kept as it is
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        const BankSource source = readJson(dir, jsonSource({R"({"no": 101, "title": "t"})"}, questions(c.answers)));
        const QStringList errors = errorTexts(source.problems);
        if (!c.refused) {
            EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
            continue;
        }
        ASSERT_EQ(errors.size(), 1);
        EXPECT_TRUE(errors[0].contains(QStringLiteral("never use 0 but use 3: they are counted from 1")))
            << errors[0].toStdString();
        EXPECT_TRUE(errors[0].contains(QStringLiteral("Subtract 1 from every numeric answer")));
    }
}
