#pragma once

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QString>

// Answers every message box the program shows while the watcher lives, and
// records what each box said, so that tests can drive handlers that show
// modal boxes without blocking.
class MessageBoxWatcher : public QObject
{
public:
    struct Box
    {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
    };

    MessageBoxWatcher();
    ~MessageBoxWatcher() override;

    // The button that answers the boxes from now on (OK by default).
    void answerWith(QMessageBox::StandardButton button) { answer_ = button; }

    const QList<Box>& boxes() const { return boxes_; }
    // The texts of the boxes shown so far, in order.
    QStringList texts() const;
    void clear() { boxes_.clear(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<Box> boxes_;
    QMessageBox::StandardButton answer_ = QMessageBox::Ok;
};
