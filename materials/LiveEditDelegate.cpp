#include "materials/LiveEditDelegate.h"

#include <QLineEdit>

QWidget* LiveEditDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const
{
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* lineEdit = qobject_cast<QLineEdit*>(editor)) {
        // commitData is a signal of this delegate; Qt hands out editors from
        // a const function, the delegate itself is not changed by emitting.
        auto* self = const_cast<LiveEditDelegate*>(this);
        connect(lineEdit, &QLineEdit::textEdited, self, [self, lineEdit] { emit self->commitData(lineEdit); });
    }
    return editor;
}

void LiveEditDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    if (auto* lineEdit = qobject_cast<QLineEdit*>(editor)) {
        if (lineEdit->text() == index.data(Qt::EditRole).toString())
            return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}
