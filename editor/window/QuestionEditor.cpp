#include "editor/window/QuestionEditor.h"

#include "tools/content/OptionLayout.h"

#include "rules/AnswerCode.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

template <typename Widget>
Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// The picture shown in the form, at most this size.
constexpr QSize thumbnail{240, 160};

} // namespace

QuestionEditor::QuestionEditor(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("questionEditor"));
    auto* form = new QFormLayout(this);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);

    number_ = named(new QLabel, "questionNumber");
    form->addRow(tr("Number:"), number_);

    category_ = named(new QComboBox, "questionCategory");
    form->addRow(tr("Category:"), category_);

    auto* types = new QHBoxLayout;
    single_ = named(new QRadioButton(tr("Single choice")), "typeSingle");
    judge_ = named(new QRadioButton(tr("True/false")), "typeJudge");
    types->addWidget(single_);
    types->addWidget(judge_);
    types->addStretch(1);
    form->addRow(tr("Type:"), types);

    text_ = named(new QPlainTextEdit, "questionText");
    text_->setTabChangesFocus(true);
    // Undo is the document's (every edit, one history), not the field's.
    text_->setUndoRedoEnabled(false);
    text_->setMinimumHeight(90);
    form->addRow(tr("Question:"), text_);
    wholeTextNote_ = named(new QLabel(tr("This text is not in the option layout (A、… B、… C、… on lines of their "
                                         "own), so it is edited as stored.")),
                           "wholeTextNote");
    wholeTextNote_->setWordWrap(true);
    form->addRow(QString(), wholeTextNote_);
    for (int i = 0; i < OptionLayout::optionCount; ++i) {
        auto* option = new QLineEdit;
        option->setObjectName(QStringLiteral("option%1").arg(OptionLayout::letter(i)));
        options_.append(option);
        form->addRow(tr("Option %1:").arg(OptionLayout::letter(i)), option);
        connect(option, &QLineEdit::textEdited, this, &QuestionEditor::textEdited);
    }

    auto* keys = new QHBoxLayout;
    keys_ = new QButtonGroup(this);
    for (int code = 0; code < 3; ++code) {
        auto* button = new QPushButton;
        button->setObjectName(QStringLiteral("key%1").arg(code));
        button->setCheckable(true);
        keys_->addButton(button, code);
        keys->addWidget(button);
        keyButtons_.append(button);
    }
    keys->addStretch(1);
    form->addRow(tr("Key:"), keys);

    mustAnswer_ = named(new QCheckBox(tr("Must be answered right (must-answer question)")), "mustAnswer");
    form->addRow(QString(), mustAnswer_);

    picture_ = named(new QLabel, "questionPicture");
    picture_->setMinimumSize(thumbnail);
    picture_->setAlignment(Qt::AlignCenter);
    picture_->setFrameShape(QFrame::StyledPanel);
    form->addRow(tr("Picture:"), picture_);
    auto* pictureButtons = new QHBoxLayout;
    auto* open = named(new QPushButton(tr("Choose…")), "openPicture");
    auto* paste = named(new QPushButton(tr("Paste")), "pastePicture");
    removePicture_ = named(new QPushButton(tr("Remove")), "removePicture");
    pictureButtons->addWidget(open);
    pictureButtons->addWidget(paste);
    pictureButtons->addWidget(removePicture_);
    pictureButtons->addStretch(1);
    form->addRow(QString(), pictureButtons);

    connect(text_, &QPlainTextEdit::textChanged, this, &QuestionEditor::textEdited);
    connect(single_, &QRadioButton::toggled, this, &QuestionEditor::typeChosen);
    connect(keys_, &QButtonGroup::idClicked, this, &QuestionEditor::keyChosen);
    connect(mustAnswer_, &QCheckBox::toggled, this, [this](bool checked) {
        question_.mustAnswer = checked ? 1 : 0;
        report(BankDocument::Field::MustAnswer);
    });
    connect(category_, &QComboBox::activated, this, [this](int index) {
        question_.category = category_->itemData(index).toLongLong();
        report(BankDocument::Field::Category);
    });
    connect(open, &QPushButton::clicked, this, &QuestionEditor::openPictureRequested);
    connect(paste, &QPushButton::clicked, this, &QuestionEditor::pastePictureRequested);
    connect(removePicture_, &QPushButton::clicked, this, &QuestionEditor::removePictureRequested);
    showNothing();
}

void QuestionEditor::showNothing()
{
    position_ = -1;
    setEnabled(false);
    loading_ = true;
    number_->clear();
    text_->clear();
    for (QLineEdit* option : options_)
        option->clear();
    picture_->clear();
    loading_ = false;
}

void QuestionEditor::showQuestion(int position, const BankQuestion& question, const QList<BankCategory>& categories,
                                  const QImage& picture, bool hasPicture)
{
    const bool same = position == position_;
    position_ = position;
    question_ = question;
    setEnabled(true);
    loading_ = true;
    number_->setText(QString::number(question.no));

    category_->clear();
    for (const BankCategory& category : categories)
        category_->addItem(QStringLiteral("%1 %2").arg(category.no).arg(category.title), category.no);
    int current = category_->findData(question.category);
    if (current < 0) {
        category_->addItem(tr("%1 (not listed)").arg(question.category), question.category);
        current = category_->count() - 1;
    }
    category_->setCurrentIndex(current);

    const bool single = QuestionType::isSingleChoice(question.type);
    single_->setChecked(single);
    judge_->setChecked(!single);

    // While one question is being typed in, its fields keep their mode (a
    // half-typed option must not turn them into one text); another
    // question, an edit elsewhere (undo) or a true/false type reads the
    // text anew.
    const bool keep = same && form_.storedText() == question.text
                      && (single || form_.mode() == QuestionForm::Mode::WholeText);
    if (!keep)
        form_ = QuestionForm::of(question);
    const bool options = form_.mode() == QuestionForm::Mode::Options;
    if (text_->toPlainText() != form_.question())
        text_->setPlainText(form_.question());
    for (int i = 0; i < options_.size(); ++i) {
        options_[i]->setVisible(options);
        if (options_[i]->text() != form_.options()[i])
            options_[i]->setText(form_.options()[i]);
        if (auto* label = qobject_cast<QFormLayout*>(layout())->labelForField(options_[i]))
            label->setVisible(options);
    }
    wholeTextNote_->setVisible(single && !options);
    showKeyButtons();
    mustAnswer_->setChecked(question.mustAnswer == 1);

    if (!picture.isNull())
        picture_->setPixmap(QPixmap::fromImage(picture.width() > thumbnail.width() || picture.height() > thumbnail.height()
                                                   ? picture.scaled(thumbnail, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                                                   : picture));
    else
        picture_->setText(hasPicture ? tr("(the picture cannot be shown)") : tr("(no picture)"));
    removePicture_->setEnabled(hasPicture);
    loading_ = false;
}

void QuestionEditor::showKeyButtons()
{
    const bool single = QuestionType::isSingleChoice(question_.type);
    const QStringList captions = single ? QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}
                                        : QStringList{QStringLiteral("对"), QStringLiteral("错")};
    for (int code = 0; code < keyButtons_.size(); ++code) {
        keyButtons_[code]->setVisible(code < captions.size());
        keyButtons_[code]->setText(captions.value(code));
    }
    // A key no button stands for (a stored code out of range) leaves all
    // buttons up; the problems list says so.
    keys_->setExclusive(false);
    for (QAbstractButton* button : keys_->buttons())
        button->setChecked(keys_->id(button) == question_.answer && keys_->id(button) < captions.size());
    keys_->setExclusive(true);
}

void QuestionEditor::textEdited()
{
    if (loading_ || position_ < 0)
        return;
    form_.setQuestion(text_->toPlainText());
    if (form_.mode() == QuestionForm::Mode::Options)
        for (int i = 0; i < options_.size(); ++i)
            form_.setOption(i, options_[i]->text());
    question_.text = form_.storedText();
    report(BankDocument::Field::Text);
}

void QuestionEditor::typeChosen()
{
    if (loading_)
        return;
    question_.type = single_->isChecked() ? QuestionType::single : QuestionType::judge;
    report(BankDocument::Field::Type);
}

void QuestionEditor::keyChosen(int code)
{
    question_.answer = code;
    report(BankDocument::Field::Answer);
}

void QuestionEditor::report(BankDocument::Field field)
{
    if (loading_ || position_ < 0)
        return;
    emit edited(position_, question_, field);
}
