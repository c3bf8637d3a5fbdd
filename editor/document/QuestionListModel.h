#pragma once

#include "editor/document/BankDocument.h"
#include "editor/document/QuestionFilter.h"

#include <QAbstractTableModel>
#include <QSet>

// The question list: the questions the filter lets through, one row each,
// with their number, category, type, must-answer, picture mark and the first
// words of their text. It follows the document's edits.
class QuestionListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { Number, Category, Type, MustAnswer, Picture, Text, ColumnCount };

    explicit QuestionListModel(BankDocument& document, QObject* parent = nullptr);

    void setFilter(const QuestionFilter& filter);
    const QuestionFilter& filter() const { return filter_; }
    // The questions with a problem, for the filter "with a problem".
    void setProblemQuestions(const QSet<int>& positions);

    // The document position shown in `row`, and the row showing `position`
    // (-1 when the filter hides it).
    int positionAt(int row) const { return shown_.value(row, -1); }
    int rowOf(int position) const { return int(shown_.indexOf(position)); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // How many characters of a question's text the list shows.
    static constexpr int firstWords = 40;

private:
    void refilter();
    void questionChanged(int position);

    BankDocument& document_;
    QuestionFilter filter_;
    QSet<int> problems_;
    QList<int> shown_;
};
