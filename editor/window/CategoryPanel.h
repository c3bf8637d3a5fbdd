#pragma once

#include <QWidget>

class BankDocument;
class QTreeWidget;
class QTreeWidgetItem;

// The categories as a tree, the way the trainer offers them: each chapter
// heading (100, 200, ...) with the categories under it, in number order.
// Titles are renamed in place; adding, renumbering (the questions follow)
// and deleting (a category with questions only after a clear question)
// go through the document, so each is one undo step.
class CategoryPanel : public QWidget
{
    Q_OBJECT

public:
    explicit CategoryPanel(BankDocument& document, QWidget* parent = nullptr);

signals:
    // The user picked a category (its number) to see its questions.
    void categoryChosen(qint64 no);

private:
    void rebuild();
    void renamed(QTreeWidgetItem* item, int column);
    int selectedIndex() const; // the document's index of the selected category, -1 for none
    void addCategory();
    void renumberCategory();
    void removeCategory();

    BankDocument& document_;
    QTreeWidget* tree_;
    bool rebuilding_ = false;
};
