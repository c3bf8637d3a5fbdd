#pragma once

#include "tools/commands/CommandResult.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Helpers for the bank tool's tests: source files written into a test's
// folder, and banks read back with SQLite directly (never through the tool)
// so that what the tool wrote can be compared value by value.

// The path of `name` in the folder `dir`.
QString pathIn(const QTemporaryDir& dir, const QString& name);

// A test with a temporary folder of its own, removed after it.
class FolderTest : public ::testing::Test
{
protected:
    QString path(const QString& name) const { return pathIn(dir_, name); }

private:
    QTemporaryDir dir_;
};

// Writes `bytes` to `path`, making its folder.
void writeFile(const QString& path, const QByteArray& bytes);
QByteArray readFile(const QString& path);

// The file image of `image` in an image format Qt writes ("PNG", "JPG", ...).
QByteArray encoded(const QImage& image, const char* format);

// Every row of `table` in rowid order, each value written with its SQLite
// type ("integer:101", "text:...", "blob:<hex>", "null"), so that two banks
// with the same list hold the same values of the same kinds.
QStringList tableRows(const QString& bankPath, const QString& table);

// A JSON bank source with the given category and question entries (each a
// JSON object text), as the documented format wraps them.
QByteArray jsonSource(const QStringList& categories, const QStringList& questions,
                      const QStringList& materials = {});

// A JSON source's category entry: 101, "驾驶证".
QString jsonCategory();

// A JSON source's true/false question entry in category 101, with the text
// "题 NO", the answer `answer` and the members `extra` (", \"picture\": ...")
// at its end.
QString jsonQuestion(int no, const QString& extra = {}, const QString& answer = QStringLiteral("对"));

// The entries of a folder, hidden ones included.
QStringList folderEntries(const QString& dir);

// What a run of the quenhar-bank program gave; exit code -1 when it did not
// end by itself within two minutes.
struct ProgramRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the program in the locale `locale` (LC_ALL, LANG and LANGUAGE), by
// default C: English messages.
ProgramRun runQuenharBank(const QStringList& arguments, const QString& locale = QStringLiteral("C"));

// How a command of the tool ended, as the program shows it: with the result
// it gave, or with the ToolError that stopped it (its exit code and lines).
struct CommandOutcome
{
    bool stopped = false; // a ToolError ended the command
    int exitCode = -1;
    QString report;
    QStringList messages;

    QString text() const { return messages.join(QLatin1Char('\n')); }
};

template <typename Run>
CommandOutcome outcomeOf(Run&& run)
{
    try {
        const CommandResult result = run();
        return {false, result.exitCode, result.report, result.messages};
    } catch (const ToolError& error) {
        return {true, error.exitCode(), {}, error.lines()};
    }
}

// The messages a command gives for these errors, each behind "error: ".
QStringList errorMessages(const QStringList& errors);
