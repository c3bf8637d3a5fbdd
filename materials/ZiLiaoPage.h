#pragma once

#include "materials/RecordSetModel.h"

#include <QWidget>

#include <functional>

class DataNavigator;
class QAbstractProxyModel;
class QPlainTextEdit;
class QTableView;
class RecordSet;

// The page of reference texts: the title grid, the text box and the record
// navigator, bound to the materials set through one model. Typing in the
// grid or the text box starts editing the current entry; moving to another
// entry or posting writes it, cancel drops it. The page shows no message
// itself: it asks its owner (UserChoices) before deleting and when another
// program changed the entry being posted, and reports failures through
// failed().
class ZiLiaoPage : public QWidget
{
    Q_OBJECT

public:
    // What the page asks the user, through its owner's message boxes.
    struct UserChoices
    {
        std::function<bool()> confirmDelete; // true: delete
        RecordSetModel::ConflictResolver resolveConflict;
    };

    ZiLiaoPage(RecordSet& ziLiao, UserChoices choices, QWidget* parent = nullptr);

    // Opens the materials set on the first visit; later visits keep the
    // current entry and any change not yet posted.
    void showPage();

    // Writes a change not yet posted. Raises StoreError when it cannot be
    // written; the change then stays pending.
    void postPending();
    // Drops a change not yet posted.
    void dropPending();

signals:
    // Work the user started on the page failed with this text.
    void failed(const QString& text);

private:
    void createControls(std::function<bool()> confirmDelete);
    // The grid's current row follows the set's current record.
    void showCurrentRow(int row);
    // A row the user picked in the grid becomes the current record.
    void gridRowPicked(int row);

    RecordSet& ziLiao_;
    RecordSetModel* model_ = nullptr;
    QAbstractProxyModel* gridModel_ = nullptr; // the title column of model_
    QTableView* DBGrid3 = nullptr;
    QPlainTextEdit* DBMemo2 = nullptr;
    DataNavigator* DBNavigator3 = nullptr;
    bool followingSet_ = false; // the grid is being moved by the program
};
