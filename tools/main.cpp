// quenhar-bank: builds, exports, checks and counts question banks.

#include "tools/commands/BankBuild.h"
#include "tools/commands/BankChecker.h"
#include "tools/commands/BankExporter.h"
#include "tools/commands/BankStats.h"
#include "tools/commands/BankTemplate.h"
#include "tools/commands/BuildReport.h"
#include "tools/ToolTranslations.h"
#include "tools/formats/jet/JetFile.h"
#include "tools/formats/jet/JetImport.h"
#include "tools/formats/jet/JetReadProcess.h"

#include "store/RegularFile.h"
#include "store/StoreError.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QTextStream>

#include <memory>
#include <optional>
#include <variant>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(quenhar_bank)
};

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

QString commandSummary()
{
    return Text::tr("Commands:\n"
                    "  build SOURCE OUT.db   make a new bank from a .json source, a sheet (.xlsx, .csv, .txt) or a "
                    "Jet .mdb file\n"
                    "  import OLD.mdb OUT.db convert a Jet 4 (Access) bank into a new bank and check it\n"
                    "  export DB OUTDIR      write a bank as JSON, CSV or an Excel workbook, with its pictures\n"
                    "  check DB              tell what the program will do with a bank\n"
                    "  stats DB              count a bank's questions\n"
                    "  template FILE.xlsx    write a sheet to start a bank from: every column, three examples, notes\n"
                    "\n"
                    "\"quenhar-bank COMMAND --help\" tells more about a command.\n"
                    "Exit codes: 0 ok, 1 the bank or source has faults, 2 usage error.");
}

// One command's arguments: its options, its positional names and what it
// does, for --help.
struct Command
{
    QString name;
    QStringList positional;
    QString description;
    QList<QCommandLineOption> options;
};

// Parses the arguments of one command. Gives them, or the exit code when the
// command ends here: after --help (0) or a usage error (2).
std::variant<QStringList, int> commandArguments(QCommandLineParser& parser, const QStringList& arguments,
                                                const Command& command)
{
    parser.setApplicationDescription(command.description);
    const QCommandLineOption help = parser.addHelpOption();
    parser.addOptions(command.options);
    parser.addPositionalArgument(command.name, QString(), command.name);
    for (const QString& name : command.positional)
        parser.addPositionalArgument(name, QString());
    if (!parser.parse(arguments)) {
        err() << parser.errorText() << Qt::endl;
        return usage;
    }
    if (parser.isSet(help)) {
        out() << parser.helpText() << Qt::flush;
        return ok;
    }
    QStringList positional = parser.positionalArguments();
    positional.removeFirst(); // the command
    if (positional.size() != command.positional.size()) {
        err() << Text::tr("usage: quenhar-bank %1 %2").arg(command.name, command.positional.join(' ')) << Qt::endl
              << Text::tr("\"quenhar-bank %1 --help\" tells more.").arg(command.name) << Qt::endl;
        return usage;
    }
    return positional;
}

QCommandLineOption forceOption(const QString& what)
{
    return QCommandLineOption(QStringLiteral("force"), what);
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
    const QCommandLineOption force = forceOption(Text::tr("Replace OUT.db if it exists."));
    const auto parsed = commandArguments(
        parser, arguments,
        {QStringLiteral("import"), {QStringLiteral("OLD.mdb"), QStringLiteral("OUT.db")},
         Text::tr("Converts a Jet 4 (Access 2000-2003) bank into a new bank, then checks it."), {force}});
    if (const int* exit = std::get_if<int>(&parsed))
        return *exit;
    const QStringList& positional = std::get<QStringList>(parsed);
    return importJet(positional.at(0), positional.at(1), parser.isSet(force));
}

int build(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption force = forceOption(Text::tr("Replace OUT.db if it exists."));
    const QCommandLineOption categories(QStringLiteral("categories"),
                                        Text::tr("Category titles for a sheet source: a sheet with the columns "
                                                 "章节 and 名称."),
                                        QStringLiteral("FILE"));
    const QCommandLineOption materials(QStringLiteral("materials"),
                                       Text::tr("Reference materials for a sheet source: a sheet with the columns "
                                                "编号, 标题 and 内容."),
                                       QStringLiteral("FILE"));
    const QCommandLineOption skip(QLatin1String(BankBuild::skipOption),
                                  Text::tr("Build the questions the program can show and write the sheet's other "
                                           "rows (multiple choice, a fourth option, no answer, ...) to "
                                           "OUT.left-out.xlsx, with their row numbers and reasons."));
    const auto parsed = commandArguments(
        parser, arguments,
        {QStringLiteral("build"), {QStringLiteral("SOURCE"), QStringLiteral("OUT.db")},
         Text::tr("Makes a new bank OUT.db from SOURCE: a .json file, a sheet (an Excel workbook .xlsx or .xls, an "
                  "OpenDocument spreadsheet .ods, or a CSV or text file .csv, .txt; told by content, whatever the "
                  "name) or an Access .mdb file.\n\nA sheet's columns, in any order (case, spaces, full-width "
                  "forms and remarks in brackets do not matter; other columns are listed and left out):\n%1")
             .arg(BankTemplate::columnHelp()),
         {force, categories, materials, skip}});
    if (const int* exit = std::get_if<int>(&parsed))
        return *exit;
    const QStringList& positional = std::get<QStringList>(parsed);
    if (JetFile::isJetDatabase(positional.at(0))) {
        if (parser.isSet(categories) || parser.isSet(materials)) {
            err() << Text::tr("--categories and --materials go with a sheet (.xlsx, .csv or .txt) only") << Qt::endl;
            return usage;
        }
        return importJet(positional.at(0), positional.at(1), parser.isSet(force));
    }

    const BankBuild::Result result =
        BankBuild::run({positional.at(0), parser.value(categories), positional.at(1), parser.isSet(force),
                        parser.value(materials), parser.isSet(skip)});
    for (const QString& note : result.notes)
        err() << Text::tr("note: %1").arg(note) << Qt::endl;
    for (const QString& line : BuildReport::lines(result.problems))
        err() << line << Qt::endl;
    for (const QString& line : result.leftOutCounts)
        err() << line << Qt::endl;
    if (!result.message.isEmpty())
        err() << result.message << Qt::endl;
    if (!result.report.isEmpty())
        out() << result.report << Qt::endl;
    return result.exitCode;
}

int writeTemplate(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption force = forceOption(Text::tr("Replace FILE.xlsx if it exists."));
    const auto parsed = commandArguments(
        parser, arguments,
        {QStringLiteral("template"), {QStringLiteral("FILE.xlsx")},
         Text::tr("Writes an Excel workbook to start a bank from: the worksheet 题目 with every column and three "
                  "example rows, 章节 with the categories, and 说明 saying what goes in each column. "
                  "\"quenhar-bank build FILE.xlsx velmora.db\" builds it."),
         {force}});
    if (const int* exit = std::get_if<int>(&parsed))
        return *exit;
    const QString& path = std::get<QStringList>(parsed).at(0);
    QString error;
    if (!BankTemplate::write(path, parser.isSet(force), error)) {
        err() << Text::tr("%1: %2").arg(path, error) << Qt::endl;
        return RegularFile::entryExists(path) && !parser.isSet(force) ? usage : faults;
    }
    out() << Text::tr("%1: written; fill it in and build it with \"quenhar-bank build %1 velmora.db\"").arg(path)
          << Qt::endl;
    return ok;
}

int exportBank(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption force = forceOption(Text::tr("Replace files in OUTDIR that exist."));
    const QCommandLineOption format(QStringLiteral("format"),
                                    Text::tr("json (the default), csv (UTF-8 with a byte order mark, for Excel) or "
                                             "xlsx (an Excel workbook)."),
                                    QStringLiteral("FORMAT"), QStringLiteral("json"));
    const auto parsed = commandArguments(
        parser, arguments,
        {QStringLiteral("export"), {QStringLiteral("DB"), QStringLiteral("OUTDIR")},
         Text::tr("Writes the bank DB into OUTDIR as bank.json, bank.csv (with categories.csv and materials.csv) or bank.xlsx, and "
                  "each picture as pictures/<question number>.bmp. Building the export again gives the same "
                  "tables."),
         {force, format}});
    if (const int* exit = std::get_if<int>(&parsed))
        return *exit;
    const QStringList& positional = std::get<QStringList>(parsed);
    const auto chosen = BankExporter::formatNamed(parser.value(format));
    if (!chosen) {
        err() << Text::tr("--format must be json, csv or xlsx") << Qt::endl;
        return usage;
    }

    const BankExporter::Result result =
        BankExporter::run({positional.at(0), positional.at(1), parser.isSet(force), {}, *chosen});
    for (const QString& warning : result.warnings)
        err() << Text::tr("warning: %1").arg(warning) << Qt::endl;
    for (const QString& error : result.errors)
        err() << Text::tr("error: %1").arg(error) << Qt::endl;
    if (!result.summary.isEmpty())
        out() << result.summary << Qt::endl;
    return result.exitCode;
}

int check(const QStringList& arguments)
{
    QCommandLineParser parser;
    const auto parsed = commandArguments(
        parser, arguments,
        {QStringLiteral("check"), {QStringLiteral("DB")},
         Text::tr("Reads the bank DB the way the program does, without changing it, and tells what the program "
                  "will do with it. Exit 0 when the program can use it, 1 when it fails on it."),
         {}});
    if (const int* exit = std::get_if<int>(&parsed))
        return *exit;
    const QString& bank = std::get<QStringList>(parsed).at(0);
    const CheckReport report = BankChecker::check(bank);
    out() << report.toText(bank) << Qt::flush;
    return report.programWorks() ? ok : faults;
}

int stats(const QStringList& arguments)
{
    QCommandLineParser parser;
    const auto parsed = commandArguments(
        parser, arguments,
        {QStringLiteral("stats"), {QStringLiteral("DB")},
         Text::tr("Counts the bank's questions by category, type, must-answer flag and picture."), {}});
    if (const int* exit = std::get_if<int>(&parsed))
        return *exit;
    const QString& bank = std::get<QStringList>(parsed).at(0);
    try {
        out() << BankStats::of(bank).toText() << Qt::flush;
        return ok;
    } catch (const StoreError& error) {
        err() << bank << QStringLiteral(": ") << error.text() << Qt::endl;
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
    ToolTranslations::install();

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
    if (command == QLatin1String("template"))
        return writeTemplate(arguments);
    const QString summary = Text::tr("usage: quenhar-bank COMMAND ...") + QStringLiteral("\n\n") + commandSummary();
    if (command == QLatin1String("--help") || command == QLatin1String("-h") || command == QLatin1String("help")) {
        out() << summary << Qt::endl;
        return ok;
    }
    err() << summary << Qt::endl;
    return usage;
}
