#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The names teachers give the columns of a question sheet. Headers are
// compared by their key: full-width forms folded (Ａ as A), case and spaces
// ignored, and a bracketed remark left out, so that "正确答案(只能输入ABCD否则报错)",
// "题 目" and "Answer" all name their column.
namespace SheetHeader {

enum class Column {
    No,
    Type,
    Text,
    Answer,
    Category,
    MustAnswer,
    Picture,
    Explanation, // read so that it is not called unknown; the program shows no explanations
    CategoryTitle,
    MaterialId,
    MaterialTitle,
    MaterialText,
};

// The header as it is compared.
QString key(const QString& header);

// An option column: "A", "A选项", "选项A", "选项1", "选项一", "Option A";
// its index, 0 for A.
std::optional<int> optionIndex(const QString& header);

// The kind of sheet a header belongs to.
enum class SheetKind { Questions, Categories, Materials };

// The column a header of a sheet of that kind names, if any (a question
// sheet's option columns aside).
std::optional<Column> column(SheetKind kind, const QString& header);

// Every spelling taken for a column in a sheet of that kind, the layout's
// own name first, for messages and --help.
QStringList spellings(Column column, SheetKind kind = SheetKind::Questions);
QStringList optionSpellings();

// The layout's own name of the column ("题号").
QString name(Column column);

} // namespace SheetHeader
