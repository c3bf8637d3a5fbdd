// quenhar-bench-bank: writes a synthetic question bank for the benchmarks.

#include "bench/SyntheticBank.h"

#include "store/StoreError.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Writes a synthetic question bank for the benchmarks."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("bank"), QStringLiteral("The bank file to write (must not exist)."));
    const SyntheticBankOptions defaults;
    const QCommandLineOption questions(QStringLiteral("questions"), QStringLiteral("Number of questions."),
                                       QStringLiteral("n"), QString::number(defaults.questions));
    const QCommandLineOption pictureShare(QStringLiteral("picture-share"),
                                          QStringLiteral("Share of questions with a picture, 0 to 1."),
                                          QStringLiteral("share"), QString::number(defaults.pictureShare));
    const QCommandLineOption pictureBytes(QStringLiteral("picture-bytes"),
                                          QStringLiteral("Size of each picture (a 24-bit bitmap) in bytes."),
                                          QStringLiteral("bytes"), QString::number(defaults.pictureBytes));
    const QCommandLineOption categories(QStringLiteral("categories"), QStringLiteral("Number of categories."),
                                        QStringLiteral("n"), QString::number(defaults.categories));
    const QCommandLineOption mustAnswer(QStringLiteral("must-answer"),
                                        QStringLiteral("Number of must-answer questions."), QStringLiteral("n"),
                                        QString::number(defaults.mustAnswer));
    parser.addOptions({questions, pictureShare, pictureBytes, categories, mustAnswer});
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(2);

    SyntheticBankOptions options;
    options.questions = parser.value(questions).toInt();
    options.pictureShare = parser.value(pictureShare).toDouble();
    options.pictureBytes = parser.value(pictureBytes).toInt();
    options.categories = parser.value(categories).toInt();
    options.mustAnswer = parser.value(mustAnswer).toInt();
    if (options.questions < 1 || options.categories < 1 || options.mustAnswer < 0
        || options.mustAnswer > options.questions || options.pictureBytes < 100) {
        std::fprintf(stderr, "quenhar-bench-bank: a count or size is out of range\n");
        return 2;
    }
    try {
        writeSyntheticBank(parser.positionalArguments().first(), options);
    } catch (const StoreError& error) {
        std::fprintf(stderr, "quenhar-bench-bank: %s\n", qPrintable(error.text()));
        return 1;
    }
    return 0;
}
