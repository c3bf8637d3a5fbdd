#pragma once

#include "editor/document/PictureValue.h"

#include "tools/content/BankContent.h"

#include <QList>
#include <QObject>
#include <QUndoStack>

// One question as the editor holds it: its stored values, and its picture
// apart (row.picture and row.pictureFile are not used).
struct DocumentQuestion
{
    BankQuestion row;
    PictureValue picture;
};

// The bank being edited: its categories, questions and reference texts, and
// the undo stack every edit goes through. Each edit is one command, so that
// undo and redo reach every change, and the stack's clean state says
// whether anything is unsaved. The document knows no file; DocumentFiles
// reads and writes it.
class BankDocument : public QObject
{
    Q_OBJECT

public:
    // The field a question edit changes, so that typing into one field
    // merges into one undo step.
    enum class Field { Text, Type, Answer, MustAnswer, Category, Number, Picture, Whole };

    explicit BankDocument(QObject* parent = nullptr);

    // Replaces everything with `content` (each question's picture from
    // `pictures`, in the same order) and forgets the undo history.
    void load(const BankContent& content, const QList<PictureValue>& pictures);

    const QList<BankCategory>& categories() const { return categories_; }
    const QList<DocumentQuestion>& questions() const { return questions_; }
    const QList<BankMaterial>& materials() const { return materials_; }
    QUndoStack* undoStack() { return &undo_; }

    // The content for the tool's writers and checks; each question's
    // sourceLine is its position + 1, each picture left out.
    BankContent content() const;

    int categoryIndex(qint64 no) const; // -1 when not listed
    int questionCount(qint64 category) const;

    // Question edits; each is one undoable step (typing into one field of
    // one question merges into one).
    void setQuestion(int index, const BankQuestion& row, Field field);
    void setPicture(int index, const PictureValue& picture);
    int addQuestion(qint64 category); // returns the new question's position
    void removeQuestion(int index);

    // Category edits. Renumbering takes the category's questions along; a
    // number already listed is refused (false). Removing a category
    // removes its questions with it (the window asks first).
    void addCategory(qint64 no, const QString& title);
    void renameCategory(int index, const QString& title);
    bool renumberCategory(int index, qint64 no);
    void removeCategory(int index);
    qint64 unusedCategoryNumber() const;

    int addMaterial(const QString& title);
    void setMaterial(int index, const QString& title, const QString& text);
    void removeMaterial(int index);

signals:
    void questionChanged(int index);
    void questionsReset();
    void categoriesChanged();
    void materialsChanged();

private:
    friend class QuestionEdit;
    friend class DocumentSnapshot;

    // The whole of the document's lists, for the edits that change several.
    struct Lists
    {
        QList<BankCategory> categories;
        QList<DocumentQuestion> questions;
        QList<BankMaterial> materials;
    };
    Lists lists() const { return {categories_, questions_, materials_}; }
    void restore(const Lists& lists);
    void pushSnapshot(const QString& text, const Lists& after);

    QList<BankCategory> categories_;
    QList<DocumentQuestion> questions_;
    QList<BankMaterial> materials_;
    QUndoStack undo_;
};
