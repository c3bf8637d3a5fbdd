#include "materials/MemoLink.h"

#include "materials/RecordSetModel.h"

#include <QPlainTextEdit>
#include <QTextDocument>

MemoLink::MemoLink(RecordSetModel& model, int column, QPlainTextEdit& edit, QObject* parent)
    : QObject(parent)
    , model_(model)
    , column_(column)
    , edit_(edit)
{
    connect(&model_, &RecordSetModel::currentChanged, this, &MemoLink::showCurrent);
    connect(&model_, &QAbstractItemModel::dataChanged, this, &MemoLink::showCurrent);
    connect(&model_, &QAbstractItemModel::modelReset, this, &MemoLink::showCurrent);
    connect(&edit_, &QPlainTextEdit::textChanged, this, &MemoLink::storeTyped);
}

void MemoLink::showCurrent()
{
    const int row = model_.currentRow();
    const QString text = row >= 0 ? model_.index(row, column_).data(Qt::EditRole).toString() : QString();
    // The same text put back would move the cursor while the user types.
    if (text_.stored() == text && text_.shown() == edit_.document()->toRawText())
        return;
    showing_ = true;
    edit_.setPlainText(text);
    showing_ = false;
    text_ = EditedText(text, edit_.document()->toRawText());
}

void MemoLink::storeTyped()
{
    if (showing_)
        return;
    text_.edit(edit_.document()->toRawText());
    if (!model_.attempt([this] { model_.typeText(column_, text_.stored()); }))
        showCurrent(); // the record refused the text: show what it holds
}
