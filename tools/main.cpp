// quenhar-bank: builds, exports, checks and counts question banks.

#include "tools/BankBuild.h"
#include "tools/BankChecker.h"
#include "tools/BankExporter.h"
#include "tools/BankStats.h"
#include "tools/jet/JetFile.h"
#include "tools/jet/JetImport.h"
#include "tools/jet/JetReadProcess.h"

#include "store/StoreError.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QTextStream>

#include <memory>
#include <optional>

namespace {

enum ExitCode { ok = 0, faults = 1, usage = 2 };

QTextStream& out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream& err()
{
    static QTextStream stream(stderr);
    return stream;
}

const QString commandSummary = QStringLiteral(
    "Commands:\n"
    "  build SOURCE OUT.db   make a new bank from a .json or .csv source (or a Jet .mdb file, as import)\n"
    "  import OLD.mdb OUT.db convert a Jet 4 (Access) bank into a new bank and check it\n"
    "  export DB OUTDIR      write a bank as OUTDIR/bank.json and OUTDIR/pictures/\n"
    "  check DB              tell what the program will do with a bank\n"
    "  stats DB              count a bank's questions\n"
    "\n"
    "Exit codes: 0 ok, 1 the bank or source has faults, 2 usage error.");

// Parses the arguments of one command; on a usage error says so and gives
// nothing.
std::optional<QStringList> commandArguments(QCommandLineParser& parser, const QStringList& arguments,
                                            const QStringList& names)
{
    if (!parser.parse(arguments)) {
        err() << parser.errorText() << Qt::endl;
        return std::nullopt;
    }
    QStringList positional = parser.positionalArguments();
    positional.removeFirst(); // the command
    if (positional.size() != names.size()) {
        err() << QStringLiteral("usage: quenhar-bank %1 %2").arg(parser.positionalArguments().first(), names.join(' '))
              << Qt::endl;
        return std::nullopt;
    }
    return positional;
}

// Converts a Jet file, for both import and build. The file is read by this
// very program, run again with the hidden read-jet command.
int importJet(const QString& source, const QString& output, bool force)
{
    const JetImport::Result result =
        JetImport::run({source, output, force, QCoreApplication::applicationFilePath(), std::nullopt});
    if (!result.report.isEmpty())
        out() << result.report << Qt::flush;
    if (!result.message.isEmpty())
        err() << result.message << Qt::endl;
    return result.exitCode;
}

int import(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption force(QStringLiteral("force"), QStringLiteral("Replace OUT.db if it exists."));
    parser.addOption(force);
    const auto positional = commandArguments(parser, arguments, {QStringLiteral("OLD.mdb"), QStringLiteral("OUT.db")});
    if (!positional)
        return usage;
    return importJet(positional->at(0), positional->at(1), parser.isSet(force));
}

int build(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption force(QStringLiteral("force"), QStringLiteral("Replace OUT.db if it exists."));
    const QCommandLineOption categories(QStringLiteral("categories"),
                                        QStringLiteral("Category titles for a CSV source (columns 章节, 名称)."),
                                        QStringLiteral("FILE.csv"));
    parser.addOptions({force, categories});
    const auto positional = commandArguments(parser, arguments, {QStringLiteral("SOURCE"), QStringLiteral("OUT.db")});
    if (!positional)
        return usage;
    if (JetFile::isJetDatabase(positional->at(0))) {
        if (parser.isSet(categories)) {
            err() << QStringLiteral("--categories goes with a .csv source only") << Qt::endl;
            return usage;
        }
        return importJet(positional->at(0), positional->at(1), parser.isSet(force));
    }

    const BankBuild::Result result =
        BankBuild::run({positional->at(0), parser.value(categories), positional->at(1), parser.isSet(force)});
    for (const QString& note : result.notes)
        err() << QStringLiteral("note: ") << note << Qt::endl;
    for (const SourceProblem& warning : result.problems.warnings())
        err() << QStringLiteral("warning: ") << warning.toString() << Qt::endl;
    for (const SourceProblem& error : result.problems.errors())
        err() << QStringLiteral("error: ") << error.toString() << Qt::endl;
    if (!result.message.isEmpty())
        err() << result.message << Qt::endl;
    return result.exitCode;
}

int exportBank(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption force(QStringLiteral("force"), QStringLiteral("Replace OUTDIR/bank.json if it exists."));
    parser.addOption(force);
    const auto positional = commandArguments(parser, arguments, {QStringLiteral("DB"), QStringLiteral("OUTDIR")});
    if (!positional)
        return usage;

    const BankExporter::Result result = BankExporter::run(positional->at(0), positional->at(1), parser.isSet(force));
    for (const QString& warning : result.warnings)
        err() << QStringLiteral("warning: ") << warning << Qt::endl;
    for (const QString& error : result.errors)
        err() << QStringLiteral("error: ") << error << Qt::endl;
    if (!result.summary.isEmpty())
        out() << result.summary << Qt::endl;
    return result.exitCode;
}

int check(const QStringList& arguments)
{
    QCommandLineParser parser;
    const auto positional = commandArguments(parser, arguments, {QStringLiteral("DB")});
    if (!positional)
        return usage;
    const CheckReport report = BankChecker::check(positional->at(0));
    out() << report.toText(positional->at(0)) << Qt::flush;
    return report.programWorks() ? ok : faults;
}

int stats(const QStringList& arguments)
{
    QCommandLineParser parser;
    const auto positional = commandArguments(parser, arguments, {QStringLiteral("DB")});
    if (!positional)
        return usage;
    try {
        out() << BankStats::of(positional->at(0)).toText() << Qt::flush;
        return ok;
    } catch (const StoreError& error) {
        err() << positional->at(0) << QStringLiteral(": ") << error.text() << Qt::endl;
        return faults;
    }
}

} // namespace

int main(int argc, char** argv)
{
    // Building draws SVG pictures, and drawing text needs the fonts of a GUI
    // application; the tool never shows a window, so it needs no display.
    // The other commands make do with a core application.
    const bool building = argc > 1 && qstrcmp(argv[1], "build") == 0;
    if (building && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> app(building ? new QGuiApplication(argc, argv)
                                                         : new QCoreApplication(argc, argv));
    QCoreApplication::setApplicationName(QStringLiteral("quenhar-bank"));

    const QStringList arguments = QCoreApplication::arguments();
    const QString command = arguments.value(1);
    if (command == QLatin1String("build"))
        return build(arguments);
    if (command == QLatin1String("import"))
        return import(arguments);
    if (command == QLatin1String(JetReadProcess::command) && arguments.size() == 3)
        return JetReadProcess::serve(arguments.at(2));
    if (command == QLatin1String("export"))
        return exportBank(arguments);
    if (command == QLatin1String("check"))
        return check(arguments);
    if (command == QLatin1String("stats"))
        return stats(arguments);
    if (command == QLatin1String("--help") || command == QLatin1String("-h") || command == QLatin1String("help")) {
        out() << QStringLiteral("usage: quenhar-bank COMMAND ...\n\n") << commandSummary << Qt::endl;
        return ok;
    }
    err() << QStringLiteral("usage: quenhar-bank COMMAND ...\n\n") << commandSummary << Qt::endl;
    return usage;
}
