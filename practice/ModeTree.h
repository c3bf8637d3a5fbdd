#pragma once

#include <QTreeWidget>

// The tree of practice modes. A left click released inside it, on an entry or
// on empty space, is reported as clicked(); the handler then acts on the
// selected entry, not on the one under the pointer. Clicking empty space keeps
// the selection, and a right click neither selects nor reports.
class ModeTree : public QTreeWidget
{
    Q_OBJECT

public:
    explicit ModeTree(QWidget* parent = nullptr);

    // Adds a top-level entry carrying its mode code.
    void addMode(const QString& text, int modeCode);

    // The selected entry (of several, the one clicked last), or none.
    QTreeWidgetItem* selectedEntry() const;
    static int modeCode(const QTreeWidgetItem* entry);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};
