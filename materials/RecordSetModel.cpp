#include "materials/RecordSetModel.h"

#include "store/RecordSet.h"

#include <cstdlib>

RecordSetModel::RecordSetModel(RecordSet& set, QList<Column> columns, ConflictResolver resolveConflict,
                               QObject* parent)
    : QAbstractTableModel(parent)
    , set_(set)
    , columns_(std::move(columns))
    , resolveConflict_(std::move(resolveConflict))
{
}

int RecordSetModel::columnOf(const QString& field) const
{
    for (int column = 0; column < columns_.size(); ++column) {
        if (columns_[column].field.compare(field, Qt::CaseInsensitive) == 0)
            return column;
    }
    return -1;
}

int RecordSetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rowCount_;
}

int RecordSetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant RecordSetModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    try {
        return set_.fieldAsString(index.row() + 1, columns_[index.column()].field);
    } catch (const Failure&) {
        // Painting cannot report anything; the same error is reported when
        // the value is edited or posted.
        return {};
    }
}

QVariant RecordSetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section < columns_.size() ? columns_[section].caption : QVariant();
    // The row indicator of a data grid: the current record, and whether it
    // is being edited or inserted.
    if (section != currentRow())
        return QString();
    switch (set_.state()) {
    case RecordSet::State::Editing:
        return QStringLiteral("I");
    case RecordSet::State::Inserting:
        return QStringLiteral("*");
    default:
        return QStringLiteral("▶");
    }
}

Qt::ItemFlags RecordSetModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && set_.canModify())
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool RecordSetModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    return attempt([&] {
        const QString text = value.toString();
        // An editor that closes hands back its text: unchanged, it is no edit.
        if (text != set_.fieldAsString(index.row() + 1, columns_[index.column()].field)) {
            if (index.row() != currentRow())
                moveTo(index.row());
            typeText(index.column(), text);
        }
    });
}

int RecordSetModel::currentRow() const
{
    return set_.isOpen() ? set_.recNo() - 1 : -1;
}

template <typename Operation>
void RecordSetModel::change(Rows rows, Operation operation)
{
    const int countBefore = rowCount_;
    const int currentBefore = currentRow();
    try {
        runResolvingConflicts(operation);
    } catch (...) {
        // A failed operation may still have done a part (a move that posted,
        // then failed): the views follow that too.
        updateViews(rows, countBefore, currentBefore);
        throw;
    }
    updateViews(rows, countBefore, currentBefore);
}

template <typename Operation>
void RecordSetModel::runResolvingConflicts(Operation& operation)
{
    try {
        operation();
        return;
    } catch (const RowChangedElsewhere&) {
        if (!resolveConflict_ || !set_.isEditing())
            throw;
    }
    // Nothing was written and the typed text is still held: the user decides
    // whose text stays, and the operation that posted goes on from there.
    if (resolveConflict_() == ConflictChoice::KeepMine)
        set_.postOverwriting();
    else
        set_.takeStoredVersion();
    operation();
}

void RecordSetModel::updateViews(Rows rows, int countBefore, int currentBefore)
{
    updatingViews_ = true;
    const int count = set_.isOpen() ? set_.recordCount() : 0;
    // An edit adds a row only at the new current record (insert) and takes
    // one away only at the old one (delete, or cancelling an insert).
    if (rows == Rows::Reloaded || std::abs(count - countBefore) > 1 || (count < countBefore && currentBefore < 0)) {
        beginResetModel();
        rowCount_ = count;
        endResetModel();
    } else if (count > countBefore) {
        beginInsertRows({}, currentRow(), currentRow());
        rowCount_ = count;
        endInsertRows();
    } else if (count < countBefore) {
        beginRemoveRows({}, currentBefore, currentBefore);
        rowCount_ = count;
        endRemoveRows();
    }
    if (count > 0) {
        emit dataChanged(index(0, 0), index(count - 1, columnCount() - 1));
        emit headerDataChanged(Qt::Vertical, 0, count - 1);
    }
    updatingViews_ = false;
    emit currentChanged(currentRow());
    emit stateChanged();
}

void RecordSetModel::open()
{
    change(Rows::Reloaded, [this] { set_.open(); });
}

void RecordSetModel::moveTo(int row)
{
    change(Rows::Edited, [this, row] { set_.setRecNo(row + 1); });
}

void RecordSetModel::first()
{
    if (rowCount_ > 0)
        moveTo(0);
}

void RecordSetModel::prior()
{
    change(Rows::Edited, [this] { set_.prior(); });
}

void RecordSetModel::next()
{
    change(Rows::Edited, [this] { set_.next(); });
}

void RecordSetModel::last()
{
    if (rowCount_ > 0)
        moveTo(rowCount_ - 1);
}

void RecordSetModel::insert()
{
    change(Rows::Edited, [this] { set_.insert(); });
}

void RecordSetModel::edit()
{
    change(Rows::Edited, [this] { set_.edit(); });
}

void RecordSetModel::deleteCurrent()
{
    change(Rows::Edited, [this] { set_.deleteCurrent(); });
}

void RecordSetModel::post()
{
    // Posting again after a conflict was settled finds nothing left to post.
    change(Rows::Edited, [this] {
        if (set_.isEditing())
            set_.post();
    });
}

void RecordSetModel::cancel()
{
    change(Rows::Edited, [this] { set_.cancel(); });
}

void RecordSetModel::refresh()
{
    change(Rows::Reloaded, [this] { set_.refresh(); });
}

void RecordSetModel::checkBrowseMode()
{
    change(Rows::Edited, [this] { set_.checkBrowseMode(); });
}

void RecordSetModel::typeText(int column, const QString& text)
{
    change(Rows::Edited, [this, column, &text] {
        set_.edit();
        set_.setFieldValue(columns_[column].field, text);
    });
}
