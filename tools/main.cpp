// quenhar-bank: builds, imports, exports, checks and counts question banks.

#include "tools/commands/BuildCommand.h"
#include "tools/commands/CheckCommand.h"
#include "tools/commands/ExportCommand.h"
#include "tools/commands/ImportCommand.h"
#include "tools/commands/StatsCommand.h"
#include "tools/commands/TemplateCommand.h"
#include "tools/console/Terminal.h"
#include "tools/ToolTranslations.h"
#include "tools/formats/jet/JetReadProcess.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QTextStream>

#include <functional>
#include <memory>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(quenhar_bank)
};

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

// The arguments of one command, as parsed: its positional names' values and
// its options.
struct Arguments
{
    const QCommandLineParser& parser;
    QStringList positional;
};

// One command of the tool: its name, its positional names and options, what
// it does (for --help), and how it runs on its parsed arguments.
struct Command
{
    QString name;
    QStringList positional;
    QString description;
    QList<QCommandLineOption> options;
    std::function<CommandResult(const Arguments&)> run;
};

QCommandLineOption forceOption(const QString& what)
{
    return QCommandLineOption(QStringLiteral("force"), what);
}

Command build()
{
    const QCommandLineOption force = forceOption(Text::tr("Replace OUT.db if it exists."));
    const QCommandLineOption categories(QStringLiteral("categories"),
                                        Text::tr("Category titles for a sheet source: a sheet with the columns "
                                                 "章节 and 名称."),
                                        QStringLiteral("FILE"));
    const QCommandLineOption materials(QStringLiteral("materials"),
                                       Text::tr("Reference materials for a sheet source: a sheet with the columns "
                                                "编号, 标题 and 内容."),
                                       QStringLiteral("FILE"));
    const QCommandLineOption picturesFromAnywhere(
        QStringLiteral("pictures-from-anywhere"),
        Text::tr("Read pictures from anywhere the source names (absolute paths, ../, links leading out), not only "
                 "from the source's folder and below: for a source you trust."));
    const QCommandLineOption skip(QLatin1String(BuildCommand::skipOption),
                                  Text::tr("Build the questions the program can show and write the sheet's other "
                                           "rows (multiple choice, a fourth option, no answer, ...) to "
                                           "OUT.left-out.xlsx, with their row numbers and reasons."));
    return {QStringLiteral("build"),
            {QStringLiteral("SOURCE"), QStringLiteral("OUT.db")},
            Text::tr("Makes a new bank OUT.db from SOURCE: a .json file, a sheet (an Excel workbook .xlsx or .xls, an "
                     "OpenDocument spreadsheet .ods, or a CSV or text file .csv, .txt; told by content, whatever the "
                     "name) or an Access .mdb file.\n\nA sheet's columns, in any order (case, spaces, full-width "
                     "forms and remarks in brackets do not matter; other columns are listed and left out):\n%1")
                .arg(TemplateCommand::columnHelp()),
            {force, categories, materials, picturesFromAnywhere, skip},
            [=](const Arguments& arguments) {
                BuildCommand::Options options{arguments.positional.at(0), arguments.parser.value(categories),
                                              arguments.positional.at(1), arguments.parser.isSet(force),
                                              arguments.parser.value(materials),
                                              QCoreApplication::applicationFilePath()};
                options.picturesFromAnywhere = arguments.parser.isSet(picturesFromAnywhere);
                options.skipUnshowable = arguments.parser.isSet(skip);
                return BuildCommand::run(options);
            }};
}

Command import()
{
    const QCommandLineOption force = forceOption(Text::tr("Replace OUT.db if it exists."));
    return {QStringLiteral("import"),
            {QStringLiteral("OLD.mdb"), QStringLiteral("OUT.db")},
            Text::tr("Converts a Jet 4 (Access 2000-2003) bank into a new bank, then checks it."),
            {force},
            [=](const Arguments& arguments) {
                return ImportCommand::run({arguments.positional.at(0), arguments.positional.at(1),
                                           arguments.parser.isSet(force), QCoreApplication::applicationFilePath(),
                                           {}});
            }};
}

Command exportBank()
{
    const QCommandLineOption force = forceOption(Text::tr("Replace files in OUTDIR that exist."));
    const QCommandLineOption format(QStringLiteral("format"),
                                    Text::tr("json (the default), csv (UTF-8 with a byte order mark, for Excel) or "
                                             "xlsx (an Excel workbook)."),
                                    QStringLiteral("FORMAT"), QStringLiteral("json"));
    return {QStringLiteral("export"),
            {QStringLiteral("DB"), QStringLiteral("OUTDIR")},
            Text::tr("Writes the bank DB into OUTDIR as bank.json, bank.csv (with categories.csv and materials.csv) "
                     "or bank.xlsx, and each picture as pictures/<question number>.bmp. Building the export again "
                     "gives the same tables."),
            {force, format},
            [=](const Arguments& arguments) {
                const auto chosen = ExportCommand::formatNamed(arguments.parser.value(format));
                if (!chosen)
                    throw ToolError(ExitCode::usage, Text::tr("--format must be json, csv or xlsx"));
                return ExportCommand::run({arguments.positional.at(0), arguments.positional.at(1),
                                           arguments.parser.isSet(force), {}, *chosen});
            }};
}

Command check()
{
    return {QStringLiteral("check"),
            {QStringLiteral("DB")},
            Text::tr("Reads the bank DB the way the program does, without changing it, and tells what the program "
                     "will do with it. Exit 0 when the program can use it, 1 when it fails on it."),
            {},
            [](const Arguments& arguments) { return CheckCommand::run(arguments.positional.at(0)); }};
}

Command writeTemplate()
{
    const QCommandLineOption force = forceOption(Text::tr("Replace FILE.xlsx if it exists."));
    return {QStringLiteral("template"),
            {QStringLiteral("FILE.xlsx")},
            Text::tr("Writes an Excel workbook to start a bank from: the worksheet 题目 with every column and three "
                     "example rows, 章节 with the categories, and 说明 saying what goes in each column. "
                     "\"quenhar-bank build FILE.xlsx velmora.db\" builds it."),
            {force},
            [=](const Arguments& arguments) {
                return TemplateCommand::run(arguments.positional.at(0), arguments.parser.isSet(force));
            }};
}

Command stats()
{
    return {QStringLiteral("stats"),
            {QStringLiteral("DB")},
            Text::tr("Counts the bank's questions by category, type, must-answer flag and picture."),
            {},
            [](const Arguments& arguments) { return StatsCommand::run(arguments.positional.at(0)); }};
}

// Parses the arguments of `command` and runs it; after --help, the help is
// its report. Throws ToolError (usage) when the arguments are wrong.
CommandResult run(const Command& command, const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(command.description);
    const QCommandLineOption help = parser.addHelpOption();
    parser.addOptions(command.options);
    parser.addPositionalArgument(command.name, QString(), command.name);
    for (const QString& name : command.positional)
        parser.addPositionalArgument(name, QString());
    if (!parser.parse(arguments))
        throw ToolError(ExitCode::usage, parser.errorText());
    if (parser.isSet(help))
        return {ExitCode::ok, parser.helpText(), {}};
    QStringList positional = parser.positionalArguments();
    positional.removeFirst(); // the command
    if (positional.size() != command.positional.size())
        throw ToolError(ExitCode::usage,
                        {Text::tr("usage: quenhar-bank %1 %2").arg(command.name, command.positional.join(' ')),
                         Text::tr("\"quenhar-bank %1 --help\" tells more.").arg(command.name)});
    return command.run({parser, positional});
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
    showUtf8OnTerminal();

    const QStringList arguments = QCoreApplication::arguments();
    const QString name = arguments.value(1);
    if (name == QLatin1String(JetReadProcess::command) && arguments.size() == 3)
        return JetReadProcess::serve(arguments.at(2));
    for (const Command& command : {build(), import(), exportBank(), check(), stats(), writeTemplate()}) {
        if (command.name != name)
            continue;
        try {
            const CommandResult result = run(command, arguments);
            for (const QString& message : result.messages)
                err() << message << Qt::endl;
            out() << result.report << Qt::flush;
            return result.exitCode;
        } catch (const ToolError& error) {
            err() << error.text() << Qt::endl;
            return error.exitCode();
        } catch (const Failure& error) {
            err() << error.text() << Qt::endl;
            return ExitCode::faults;
        }
    }
    const QString summary = Text::tr("usage: quenhar-bank COMMAND ...") + QStringLiteral("\n\n") + commandSummary();
    if (name == QLatin1String("--help") || name == QLatin1String("-h") || name == QLatin1String("help")) {
        out() << summary << Qt::endl;
        return ExitCode::ok;
    }
    err() << summary << Qt::endl;
    return ExitCode::usage;
}
