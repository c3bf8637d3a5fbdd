#include "editor/document/QuestionListModel.h"

#include "rules/AnswerCode.h"

QuestionListModel::QuestionListModel(BankDocument& document, QObject* parent)
    : QAbstractTableModel(parent)
    , document_(document)
{
    connect(&document_, &BankDocument::questionsReset, this, &QuestionListModel::refilter);
    connect(&document_, &BankDocument::questionChanged, this, &QuestionListModel::questionChanged);
    refilter();
}

void QuestionListModel::setFilter(const QuestionFilter& filter)
{
    filter_ = filter;
    refilter();
}

void QuestionListModel::setProblemQuestions(const QSet<int>& positions)
{
    problems_ = positions;
    if (filter_.withProblem)
        refilter();
}

void QuestionListModel::refilter()
{
    beginResetModel();
    shown_ = filter_.apply(document_.questions(), problems_);
    endResetModel();
}

// An edited question keeps its row even when it no longer passes the
// filter, so that the row being edited does not vanish under the cursor.
void QuestionListModel::questionChanged(int position)
{
    const int row = rowOf(position);
    if (row >= 0)
        emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

int QuestionListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(shown_.size());
}

int QuestionListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant QuestionListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= shown_.size())
        return {};
    const DocumentQuestion& question = document_.questions()[shown_[index.row()]];
    const BankQuestion& row = question.row;
    if (role == Qt::TextAlignmentRole && index.column() != Text)
        return QVariant(Qt::AlignCenter);
    if (role == Qt::ToolTipRole && index.column() == Text)
        return row.text;
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case Number:
        return row.no;
    case Category:
        return row.category;
    case Type:
        return QuestionType::isSingleChoice(row.type) ? tr("Choice") : tr("True/false");
    case MustAnswer:
        return row.mustAnswer == 1 ? tr("Yes") : QString();
    case Picture:
        return question.picture.present() ? tr("Picture") : QString();
    case Text: {
        QString text = row.text.left(firstWords + 1);
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
        return text.size() > firstWords ? text.left(firstWords) + QStringLiteral("…") : text;
    }
    default:
        return {};
    }
}

QVariant QuestionListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case Number:
        return tr("No.");
    case Category:
        return tr("Category");
    case Type:
        return tr("Type");
    case MustAnswer:
        return tr("Must");
    case Picture:
        return tr("Picture");
    case Text:
        return tr("Question");
    default:
        return {};
    }
}
