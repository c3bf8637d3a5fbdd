#pragma once

#include <QWidget>

#include <array>
#include <functional>

class QToolButton;
class RecordSetModel;

// The record navigator: ten buttons that move through the model's record set
// and edit it, enabled as a data navigator's are. Each button is named after
// the navigator ("<name>First" ... "<name>Refresh") and carries a tooltip.
// Delete asks `confirmDelete` first and deletes only when it says yes.
// Failures are reported through the model's failed(), never raised: the
// buttons are Qt's.
class DataNavigator : public QWidget
{
    Q_OBJECT

public:
    enum Button { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh, ButtonCount };

    DataNavigator(RecordSetModel& model, const QString& name, std::function<bool()> confirmDelete,
                  QWidget* parent = nullptr);

    QToolButton* button(Button which) const { return buttons_[which]; }

private:
    void click(Button which);
    void updateButtons();

    RecordSetModel& model_;
    std::function<bool()> confirmDelete_;
    std::array<QToolButton*, ButtonCount> buttons_{};
};
