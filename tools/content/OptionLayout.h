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

// "A", "B", "C".
QString letter(int index);

} // namespace OptionLayout
