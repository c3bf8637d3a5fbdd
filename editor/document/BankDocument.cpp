#include "editor/document/BankDocument.h"

#include "rules/AnswerCode.h"

#include <QUndoCommand>

#include <algorithm>

// One question's values changed. Consecutive changes of the same field of
// the same question merge, so that typing a sentence is one undo step.
class QuestionEdit : public QUndoCommand
{
public:
    QuestionEdit(BankDocument& document, int index, DocumentQuestion before, DocumentQuestion after,
                 BankDocument::Field field, const QString& text)
        : QUndoCommand(text)
        , document_(document)
        , index_(index)
        , before_(std::move(before))
        , after_(std::move(after))
        , field_(field)
    {
    }

    void redo() override { put(after_); }
    void undo() override { put(before_); }
    int id() const override { return 1; }

    bool mergeWith(const QUndoCommand* other) override
    {
        const auto* edit = static_cast<const QuestionEdit*>(other);
        if (edit->index_ != index_ || edit->field_ != field_ || field_ != BankDocument::Field::Text)
            return false;
        after_ = edit->after_;
        return true;
    }

private:
    void put(const DocumentQuestion& question)
    {
        document_.questions_[index_] = question;
        emit document_.questionChanged(index_);
    }

    BankDocument& document_;
    int index_;
    DocumentQuestion before_;
    DocumentQuestion after_;
    BankDocument::Field field_;
};

// An edit of several rows at once (adding or removing a question, anything
// about categories or reference texts): the lists before and after. The
// lists share their strings and pictures, so a copy costs one pointer per
// row, not the text.
class DocumentSnapshot : public QUndoCommand
{
public:
    DocumentSnapshot(BankDocument& document, BankDocument::Lists before, BankDocument::Lists after,
                     const QString& text)
        : QUndoCommand(text)
        , document_(document)
        , before_(std::move(before))
        , after_(std::move(after))
    {
    }

    void redo() override { document_.restore(after_); }
    void undo() override { document_.restore(before_); }

private:
    BankDocument& document_;
    BankDocument::Lists before_;
    BankDocument::Lists after_;
};

BankDocument::BankDocument(QObject* parent)
    : QObject(parent)
{
}

void BankDocument::load(const BankContent& content, const QList<PictureValue>& pictures)
{
    undo_.clear();
    categories_ = content.categories;
    materials_ = content.materials;
    questions_.clear();
    questions_.reserve(content.questions.size());
    for (qsizetype i = 0; i < content.questions.size(); ++i) {
        DocumentQuestion question{content.questions[i], i < pictures.size() ? pictures[i] : PictureValue()};
        question.row.picture.reset();
        question.row.pictureFile.clear();
        questions_.append(std::move(question));
    }
    undo_.setClean();
    emit categoriesChanged();
    emit materialsChanged();
    emit questionsReset();
}

BankContent BankDocument::content() const
{
    BankContent content;
    content.categories = categories_;
    content.materials = materials_;
    content.questions.reserve(questions_.size());
    for (qsizetype i = 0; i < questions_.size(); ++i) {
        BankQuestion row = questions_[i].row;
        row.sourceLine = int(i + 1);
        content.questions.append(std::move(row));
    }
    return content;
}

int BankDocument::categoryIndex(qint64 no) const
{
    const auto found = std::find_if(categories_.cbegin(), categories_.cend(),
                                    [no](const BankCategory& category) { return category.no == no; });
    return found == categories_.cend() ? -1 : int(found - categories_.cbegin());
}

int BankDocument::questionCount(qint64 category) const
{
    return int(std::count_if(questions_.cbegin(), questions_.cend(), [category](const DocumentQuestion& question) {
        return question.row.category == category;
    }));
}

void BankDocument::setQuestion(int index, const BankQuestion& row, Field field)
{
    DocumentQuestion after = questions_[index];
    after.row = row;
    undo_.push(new QuestionEdit(*this, index, questions_[index], std::move(after), field,
                                tr("Edit question %1").arg(row.no)));
}

void BankDocument::setPicture(int index, const PictureValue& picture)
{
    DocumentQuestion after = questions_[index];
    after.picture = picture;
    undo_.push(new QuestionEdit(*this, index, questions_[index], std::move(after), Field::Picture,
                                picture.present() ? tr("Set the picture of question %1").arg(after.row.no)
                                                  : tr("Remove the picture of question %1").arg(after.row.no)));
}

int BankDocument::addQuestion(qint64 category)
{
    qint64 next = 1;
    for (const DocumentQuestion& question : questions_)
        next = std::max(next, question.row.no + 1);
    Lists after = lists();
    DocumentQuestion question;
    question.row.no = next;
    question.row.category = category;
    question.row.type = QuestionType::single;
    question.row.answer = AnswerCode::a;
    after.questions.append(question);
    pushSnapshot(tr("Add question %1").arg(next), after);
    return int(questions_.size() - 1);
}

void BankDocument::removeQuestion(int index)
{
    Lists after = lists();
    after.questions.removeAt(index);
    pushSnapshot(tr("Delete question %1").arg(questions_[index].row.no), after);
}

void BankDocument::addCategory(qint64 no, const QString& title)
{
    Lists after = lists();
    after.categories.append({no, title, 0});
    pushSnapshot(tr("Add category %1").arg(no), after);
}

void BankDocument::renameCategory(int index, const QString& title)
{
    if (categories_[index].title == title)
        return;
    Lists after = lists();
    after.categories[index].title = title;
    pushSnapshot(tr("Rename category %1").arg(categories_[index].no), after);
}

bool BankDocument::renumberCategory(int index, qint64 no)
{
    const qint64 old = categories_[index].no;
    if (no == old)
        return true;
    if (categoryIndex(no) >= 0)
        return false;
    Lists after = lists();
    after.categories[index].no = no;
    for (DocumentQuestion& question : after.questions)
        if (question.row.category == old)
            question.row.category = no;
    pushSnapshot(tr("Renumber category %1 as %2").arg(old).arg(no), after);
    return true;
}

void BankDocument::removeCategory(int index)
{
    const qint64 no = categories_[index].no;
    Lists after = lists();
    after.categories.removeAt(index);
    after.questions.removeIf([no](const DocumentQuestion& question) { return question.row.category == no; });
    pushSnapshot(tr("Delete category %1").arg(no), after);
}

qint64 BankDocument::unusedCategoryNumber() const
{
    qint64 next = 101;
    for (const BankCategory& category : categories_)
        next = std::max(next, category.no + 1);
    return next;
}

int BankDocument::addMaterial(const QString& title)
{
    Lists after = lists();
    BankMaterial material;
    material.title = title;
    // A bank numbers its texts; keep all numbered or none (the tool's rule).
    const bool numbered = std::any_of(materials_.cbegin(), materials_.cend(),
                                      [](const BankMaterial& row) { return row.id.has_value(); });
    if (numbered || materials_.isEmpty()) {
        qint64 next = 1;
        for (const BankMaterial& row : materials_)
            next = std::max(next, row.id.value_or(0) + 1);
        material.id = next;
    }
    after.materials.append(material);
    pushSnapshot(tr("Add reference text"), after);
    return int(materials_.size() - 1);
}

void BankDocument::setMaterial(int index, const QString& title, const QString& text)
{
    if (materials_[index].title == title && materials_[index].text == text)
        return;
    Lists after = lists();
    after.materials[index].title = title;
    after.materials[index].text = text;
    pushSnapshot(tr("Edit reference text"), after);
}

void BankDocument::removeMaterial(int index)
{
    Lists after = lists();
    after.materials.removeAt(index);
    pushSnapshot(tr("Delete reference text"), after);
}

void BankDocument::restore(const Lists& lists)
{
    const bool categories = lists.categories.constData() != categories_.constData()
                            || lists.categories.size() != categories_.size();
    const bool materials = lists.materials.constData() != materials_.constData()
                           || lists.materials.size() != materials_.size();
    categories_ = lists.categories;
    questions_ = lists.questions;
    materials_ = lists.materials;
    if (categories)
        emit categoriesChanged();
    if (materials)
        emit materialsChanged();
    emit questionsReset();
}

void BankDocument::pushSnapshot(const QString& text, const Lists& after)
{
    undo_.push(new DocumentSnapshot(*this, lists(), after, text));
}
