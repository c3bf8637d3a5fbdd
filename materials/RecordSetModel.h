#pragma once

#include "store/Failure.h"

#include <QAbstractTableModel>
#include <QList>
#include <QString>

#include <functional>
#include <optional>
#include <utility>

class RecordSet;

// A table model over a record set, for data-bound views: one row per record,
// one column per listed field, and the set's current record as the model's
// current row. The record set stays the one place where values, the current
// record and a change not yet posted live; the model forwards the set's
// operations and then tells the views what happened.
//
// Typed text reaches the set with every keystroke (see LiveEditDelegate and
// MemoLink), so a change is never left behind in an editor widget: whatever
// the user typed is what a post writes.
//
// The model shows no message itself: what Qt calls (setData, and the
// controls' work run through attempt()) reports its failures through
// failed(); the page's owner shows them.
class RecordSetModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    struct Column
    {
        QString field;
        QString caption;
    };

    // Whose text stays when another program changed the entry being posted.
    enum class ConflictChoice { KeepMine, TakeStored };
    using ConflictResolver = std::function<ConflictChoice()>;

    // Without a resolver, a post that meets another program's change fails
    // with RowChangedElsewhere and the change stays held.
    RecordSetModel(RecordSet& set, QList<Column> columns, ConflictResolver resolveConflict = {},
                   QObject* parent = nullptr);

    RecordSet& recordSet() const { return set_; }
    // The column that shows `field`; -1 when none does.
    int columnOf(const QString& field) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Typed text from a view. A failure is reported, not raised: Qt calls this.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // The current record's row; -1 when there is none or the set is closed.
    int currentRow() const;
    // True while the views are being told about a change: a view that moves
    // its own current row then must not move the set.
    bool isUpdatingViews() const { return updatingViews_; }

    // The set's operations. Each raises StoreError as the set does; the
    // views then follow whatever did happen. An operation that posts a held
    // change (post, moving, inserting, refreshing) and meets another
    // program's change to the entry asks the resolver whose text stays,
    // writes or drops the change accordingly, and then goes on.
    void open();
    void moveTo(int row);
    void first();
    void prior();
    void next();
    void last();
    void insert();
    void edit();
    void deleteCurrent();
    void post();
    void cancel();
    void refresh();
    void checkBrowseMode();
    // Puts typed text into a column of the current record, making it
    // editable first (on an empty set, inserting the first record).
    void typeText(int column, const QString& text);

    // Runs work for a control that Qt calls, where nothing may be raised: a
    // failure is reported through failed(). True when the work ran to its end.
    template <typename Work>
    bool attempt(Work&& work)
    {
        if (const std::optional<QString> text = failureText(std::forward<Work>(work))) {
            emit failed(*text);
            return false;
        }
        return true;
    }

signals:
    void currentChanged(int row);
    void stateChanged();
    // An operation run for a control failed with this text.
    void failed(const QString& text);

private:
    enum class Rows { Edited, Reloaded };

    template <typename Operation>
    void change(Rows rows, Operation operation);
    template <typename Operation>
    void runResolvingConflicts(Operation& operation);
    void updateViews(Rows rows, int countBefore, int currentBefore);

    RecordSet& set_;
    QList<Column> columns_;
    ConflictResolver resolveConflict_;
    int rowCount_ = 0; // as the views know it: changed only while telling them
    bool updatingViews_ = false;
};
