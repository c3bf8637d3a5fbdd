#pragma once

#include "tools/content/BankContent.h"
#include "tools/content/SourceProblems.h"

#include <QList>
#include <QStringList>

// A row of a sheet that holds a question the program cannot show (multiple
// choice, a fourth option, no answer, ...): it is never changed to fit.
// build refuses the sheet while it has such rows, or, when asked, builds the
// rest and writes these rows to a sheet of their own for the teacher to fix.
struct LeftOutRow
{
    SourcePlace place; // the row, and the cell that makes it so
    QString reason;    // what the program cannot show, said once for every row alike
    QString value;     // that cell as written
    QStringList cells; // the whole row as read
};

struct LeftOutRows
{
    QString file;       // the sheet they come from
    QStringList header; // its header row
    QList<LeftOutRow> rows;
};

// What reading a source file gives: the rows it holds and what is wrong with
// them. The content is only meant to be written when there are no errors.
struct BankSource
{
    BankContent content;
    SourceProblems problems;
    QStringList notes; // how the source was read (a sheet's encoding), what was filled in, for the build report
    LeftOutRows leftOut;
};
