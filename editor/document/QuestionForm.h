#pragma once

#include "tools/content/BankContent.h"

#include <QString>
#include <QStringList>

// What the question editor's fields show of a question's stored text, and
// the text they make. A single-choice question whose text is exactly the
// bank's option layout (OptionLayout: the question, then "A、…", "B、…",
// "C、…" on lines of their own) is edited as the question and three option
// fields; any other text (a true/false question's, or one the fields cannot
// represent) is edited whole, as stored, and never rewritten.
class QuestionForm
{
public:
    enum class Mode { Options, WholeText };

    // The fields for `question`. A new single-choice question with no text
    // yet starts with the option fields.
    static QuestionForm of(const BankQuestion& question);

    Mode mode() const { return mode_; }
    const QString& question() const { return question_; }
    const QStringList& options() const { return options_; }

    void setQuestion(const QString& text) { question_ = text; }
    void setOption(int index, const QString& text) { options_[index] = text; }

    // The stored text the fields make: the options merged in the bank's
    // layout, or the whole text as typed.
    QString storedText() const;

private:
    Mode mode_ = Mode::WholeText;
    QString question_;
    QStringList options_;
};
