#pragma once

#include <QWidget>

#include <array>

class QToolButton;
class RecordSetModel;

// The record navigator: ten buttons that move through the model's record set
// and edit it, enabled as a data navigator's are. Each button is named after
// the navigator ("<name>First" ... "<name>Refresh") and carries a tooltip.
// Delete asks for confirmation first. Errors are shown, never raised: the
// buttons are Qt's.
class DataNavigator : public QWidget
{
    Q_OBJECT

public:
    enum Button { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh, ButtonCount };

    DataNavigator(RecordSetModel& model, const QString& name, QWidget* parent = nullptr);

    QToolButton* button(Button which) const { return buttons_[which]; }

private:
    void click(Button which);
    void updateButtons();

    RecordSetModel& model_;
    std::array<QToolButton*, ButtonCount> buttons_{};
};
