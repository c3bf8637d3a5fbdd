#pragma once

#include "tools/commands/CommandResult.h"

#include <QString>

// The template a teacher starts from: a workbook with a worksheet 题目
// holding every column the tool reads and three example rows, a worksheet
// 章节 with the categories, and a worksheet 说明 saying what goes in each
// column and the other names each column may have. Building it gives a
// bank of its three questions.
namespace TemplateCommand {

// The column names and their other spellings, one line each, for
// `build --help`.
QString columnHelp();

// Writes the template to `path`; an existing file only with `replace`.
// Throws ToolError when it cannot be written (usage: it exists).
CommandResult run(const QString& path, bool replace);

} // namespace TemplateCommand
