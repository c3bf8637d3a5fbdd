#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// How a single-choice question's options are written into its text, the
// layout the program shows as it stands: the question, then each option on
// a line of its own as "A、…", "B、…", "C、…".
namespace OptionLayout {

inline constexpr int optionCount = 3; // the program shows three answer buttons

QString merged(const QString& question, const QStringList& options);

struct Split
{
    QString question;
    QStringList options;
};

// The question and its three options, when `text` is exactly what merged()
// makes of them (so that merging them again gives the same text) and no
// option is blank; otherwise nothing, and the text stays whole.
std::optional<Split> split(const QString& text);

// Whether `text` holds the three options on lines of their own, in order,
// each opening with its letter and a mark ("A、", "B.", "C：", "(A)", "A)",
// "A ") as teachers type them: then the program shows them, though maybe
// not in the bank's own layout. The test, for the tool and the editor
// alike, of a single-choice question that would show no options.
bool hasOptionLines(const QString& text);

// "A", "B", "C".
QString letter(int index);

} // namespace OptionLayout
