#include "editor/window/QuestionPreview.h"

#include "editor/window/TrainerLook.h"

#include "tools/content/LearnerWarnings.h"

#include "rules/AnswerCode.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

QuestionPreview::QuestionPreview(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("preview"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    strip_ = new QWidget;
    strip_->setFixedSize(TrainerLook::controlStrip());
    mustAnswer_ = new QLabel(QStringLiteral("必对题"), strip_);
    mustAnswer_->setObjectName(QStringLiteral("previewMustAnswer"));
    mustAnswer_->setFont(TrainerLook::mustAnswerFont());
    mustAnswer_->setGeometry(TrainerLook::mustAnswerMark());
    mustAnswer_->setAutoFillBackground(true);
    QPalette red = mustAnswer_->palette();
    red.setColor(QPalette::Window, Qt::red);
    mustAnswer_->setPalette(red);
    layout->addWidget(strip_);

    text_ = new QPlainTextEdit;
    text_->setObjectName(QStringLiteral("previewText"));
    text_->setReadOnly(true);
    text_->setFont(TrainerLook::textFont());
    text_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text_->setFixedSize(TrainerLook::textBox());
    layout->addWidget(text_);

    // The picture area at its exact size, inside a thin line that shows
    // where it ends; what lies outside is cut off by the label, as in the
    // trainer.
    auto* pictureFrame = new QFrame;
    pictureFrame->setFrameShape(QFrame::Box);
    pictureFrame->setFrameShadow(QFrame::Plain);
    pictureFrame->setLineWidth(1);
    QPalette line = pictureFrame->palette();
    line.setColor(QPalette::WindowText, QColor(0x9a, 0x9a, 0x9a));
    pictureFrame->setPalette(line);
    pictureFrame->setFixedSize(TrainerLook::pictureArea() + QSize(2, 2));
    picture_ = new QLabel(pictureFrame);
    picture_->setObjectName(QStringLiteral("previewPicture"));
    picture_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture_->setGeometry(QRect(QPoint(1, 1), TrainerLook::pictureArea()));
    layout->addWidget(pictureFrame);

    notes_ = new QLabel;
    notes_->setObjectName(QStringLiteral("previewNotes"));
    notes_->setWordWrap(true);
    notes_->setMaximumWidth(TrainerLook::textBox().width());
    QPalette warning = notes_->palette();
    warning.setColor(QPalette::WindowText, QColor(0xb0, 0x30, 0x00));
    notes_->setPalette(warning);
    layout->addWidget(notes_);
    layout->addStretch(1);
    showNothing();
}

void QuestionPreview::showNothing()
{
    qDeleteAll(buttons_);
    buttons_.clear();
    mustAnswer_->hide();
    text_->clear();
    picture_->clear();
    notes_->clear();
    textFits_ = pictureFits_ = true;
}

bool QuestionPreview::fitsTextBox(const QString& text)
{
    // The box's inner size, measured once.
    static const QSize inner = [] {
        const QPlainTextEdit box;
        const int margin = int(box.document()->documentMargin()) * 2 + box.frameWidth() * 2;
        return TrainerLook::textBox() - QSize(margin, margin);
    }();
    return LearnerWarnings::textFits(text, inner);
}

void QuestionPreview::showQuestion(const BankQuestion& question, const QImage& picture)
{
    showNothing();
    for (const TrainerLook::Button& look : TrainerLook::answerButtons(QuestionType::isSingleChoice(question.type))) {
        auto* button = new QPushButton(look.caption, strip_);
        button->setFont(TrainerLook::answerButtonFont());
        button->setGeometry(look.rect);
        button->setFocusPolicy(Qt::NoFocus);
        button->show();
        buttons_.append(button);
    }
    mustAnswer_->setVisible(question.mustAnswer == 1);
    text_->setPlainText(question.text);
    textFits_ = fitsTextBox(question.text);
    if (!picture.isNull())
        picture_->setPixmap(QPixmap::fromImage(picture));
    const QSize area = TrainerLook::pictureArea();
    pictureFits_ = picture.width() <= area.width() && picture.height() <= area.height();

    QStringList notes;
    if (!textFits_)
        notes.append(tr("The text is longer than the trainer's text box: the learner has to scroll to read it."));
    if (!pictureFits_)
        notes.append(tr("The picture (%1×%2) is larger than the trainer's picture area (%3×%4): the part outside "
                        "is cut off.")
                         .arg(picture.width())
                         .arg(picture.height())
                         .arg(area.width())
                         .arg(area.height()));
    notes_->setText(notes.join(QLatin1Char('\n')));
}
