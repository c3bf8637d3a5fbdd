#include "materials/ZiLiaoPage.h"

#include "layout/FormLayout.h"
#include "materials/DataNavigator.h"
#include "materials/LiveEditDelegate.h"
#include "materials/MemoLink.h"
#include "materials/RecordSetModel.h"
#include "rules/BankColumns.h"
#include "rules/Statements.h"
#include "store/RecordSet.h"

#include <QHeaderView>
#include <QPlainTextEdit>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// One column of the model, for the grid: a hidden column would still be
// read out by assistive technology, header and cells.
class OneColumn : public QSortFilterProxyModel
{
public:
    OneColumn(QAbstractItemModel* model, int column, QObject* parent)
        : QSortFilterProxyModel(parent)
        , column_(column)
    {
        setSourceModel(model);
    }

protected:
    bool filterAcceptsColumn(int column, const QModelIndex&) const override { return column == column_; }

private:
    int column_;
};

} // namespace

ZiLiaoPage::ZiLiaoPage(RecordSet& ziLiao, UserChoices choices, QWidget* parent)
    : QWidget(parent)
    , ziLiao_(ziLiao)
{
    setAccessibleName(QStringLiteral("参考资料"));
    ziLiao_.setSql(Statements::materials());
    // The grid shows the title; the text box shows the memo of the same row.
    model_ = new RecordSetModel(ziLiao_, {{Column::title, QStringLiteral("标题")}, {Column::memo, QStringLiteral("内容")}},
                                std::move(choices.resolveConflict), this);
    connect(model_, &RecordSetModel::failed, this, &ZiLiaoPage::failed);
    createControls(std::move(choices.confirmDelete));
}

void ZiLiaoPage::createControls(std::function<bool()> confirmDelete)
{
    DBGrid3 = new QTableView(this);
    DBGrid3->setObjectName(QStringLiteral("DBGrid3"));
    DBGrid3->setAccessibleName(QStringLiteral("资料标题"));
    gridModel_ = new OneColumn(model_, model_->columnOf(Column::title), this);
    DBGrid3->setModel(gridModel_);
    DBGrid3->setItemDelegate(new LiveEditDelegate(DBGrid3));
    DBGrid3->setFixedHeight(FormLayout::titleGridHeight);
    DBGrid3->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid3->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid3->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked
                             | QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    DBGrid3->horizontalHeader()->setStretchLastSection(true);
    DBGrid3->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    DBGrid3->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + FormLayout::titleGridRowPadding);
    DBGrid3->verticalHeader()->setMinimumWidth(fontMetrics().height());
    connect(DBGrid3->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { gridRowPicked(gridModel_->mapToSource(current).row()); });

    DBMemo2 = new QPlainTextEdit(this);
    DBMemo2->setObjectName(QStringLiteral("DBMemo2"));
    DBMemo2->setAccessibleName(QStringLiteral("资料内容"));
    // Long lines wrap at the box's width, so a text is read without
    // scrolling sideways; both scroll bars stay, as the memo has them.
    DBMemo2->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    DBMemo2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    DBMemo2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    new MemoLink(*model_, model_->columnOf(Column::memo), *DBMemo2, this);

    DBNavigator3 = new DataNavigator(*model_, QStringLiteral("DBNavigator3"), std::move(confirmDelete), this);
    DBNavigator3->setFixedHeight(FormLayout::navigatorHeight);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(DBGrid3);
    layout->addWidget(DBMemo2, 1);
    layout->addWidget(DBNavigator3);

    connect(model_, &RecordSetModel::currentChanged, this, &ZiLiaoPage::showCurrentRow);
    connect(model_, &RecordSetModel::stateChanged, this,
            [this] { DBMemo2->setReadOnly(!ziLiao_.canModify()); });
    DBMemo2->setReadOnly(true); // until the set opens
}

void ZiLiaoPage::showPage()
{
    if (!ziLiao_.isOpen())
        model_->open();
}

void ZiLiaoPage::postPending()
{
    if (ziLiao_.isEditing())
        model_->checkBrowseMode();
}

void ZiLiaoPage::dropPending()
{
    if (ziLiao_.isEditing())
        model_->cancel();
}

void ZiLiaoPage::showCurrentRow(int row)
{
    followingSet_ = true;
    QItemSelectionModel* selection = DBGrid3->selectionModel();
    if (row < 0) {
        selection->clear();
    } else {
        const QModelIndex index = gridModel_->index(row, 0);
        selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        DBGrid3->scrollTo(index);
    }
    followingSet_ = false;
}

void ZiLiaoPage::gridRowPicked(int row)
{
    if (followingSet_ || model_->isUpdatingViews() || row < 0 || row == model_->currentRow())
        return;
    model_->attempt([this, row] { model_->moveTo(row); });
    // A move that could not post leaves the set where it was: so is the grid.
    if (model_->currentRow() != row)
        showCurrentRow(model_->currentRow());
}
