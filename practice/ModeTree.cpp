#include "practice/ModeTree.h"

#include <QMouseEvent>

namespace {

constexpr int modeCodeRole = Qt::UserRole;

} // namespace

ModeTree::ModeTree(QWidget* parent)
    : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setRootIsDecorated(true);

    // The selection is highlighted only while the tree has the focus.
    QPalette p = palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Inactive, QPalette::Base));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Inactive, QPalette::Text));
    setPalette(p);
}

void ModeTree::addMode(const QString& text, int modeCode)
{
    auto* entry = new QTreeWidgetItem(this, QStringList{text});
    entry->setData(0, modeCodeRole, modeCode);
}

int ModeTree::modeCode(const QTreeWidgetItem* entry)
{
    return entry->data(0, modeCodeRole).toInt();
}

QTreeWidgetItem* ModeTree::selectedEntry() const
{
    if (QTreeWidgetItem* current = currentItem(); current && current->isSelected())
        return current;
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? nullptr : selected.last();
}

void ModeTree::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    if (!itemAt(event->position().toPoint())) {
        // Empty space takes the focus but keeps the selection.
        setFocus(Qt::MouseFocusReason);
        event->accept();
        return;
    }
    QTreeWidget::mousePressEvent(event);
}

void ModeTree::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    QTreeWidget::mouseReleaseEvent(event);
    if (viewport()->rect().contains(event->position().toPoint()))
        emit clicked();
}
