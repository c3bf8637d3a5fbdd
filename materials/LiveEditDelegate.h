#pragma once

#include <QStyledItemDelegate>

// The grid's cell editor hands every keystroke to the model at once, as a
// data-bound grid does: the first key puts the record into editing, and the
// text typed so far is never left behind in an editor the program could
// close without asking (the window ending, the page being left).
class LiveEditDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    // Leaves the editor alone when it already shows the value: putting the
    // same text back would move the cursor while the user types.
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
};
