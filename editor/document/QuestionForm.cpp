#include "editor/document/QuestionForm.h"

#include "tools/content/OptionLayout.h"

#include "rules/AnswerCode.h"

QuestionForm QuestionForm::of(const BankQuestion& question)
{
    QuestionForm form;
    form.options_ = QStringList(OptionLayout::optionCount, QString());
    if (!QuestionType::isSingleChoice(question.type)) {
        form.question_ = question.text;
        return form;
    }
    if (question.text.isEmpty()) {
        form.mode_ = Mode::Options;
        return form;
    }
    // A carriage return has no place in a one-line option field, which
    // would drop it: such a text is edited whole.
    const auto split = question.text.contains(QLatin1Char('\r')) ? std::nullopt : OptionLayout::split(question.text);
    if (split) {
        form.mode_ = Mode::Options;
        form.question_ = split->question;
        form.options_ = split->options;
        return form;
    }
    form.question_ = question.text;
    return form;
}

QString QuestionForm::storedText() const
{
    if (mode_ == Mode::WholeText)
        return question_;
    const bool blank = question_.isEmpty()
                       && std::all_of(options_.cbegin(), options_.cend(), [](const QString& option) {
                              return option.isEmpty();
                          });
    return blank ? QString() : OptionLayout::merged(question_, options_);
}
