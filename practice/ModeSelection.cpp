// The mode tree: a click starts the selected entry's practice page afresh.

#include "app/Messages.h"
#include "app/TfrmMain.h"

#include "practice/ModeTree.h"

#include <QTabWidget>

void TfrmMain::TreeViewClick()
{
    QTreeWidgetItem* entry = TreeView->selectedEntry();
    if (!entry)
        return;

    bTesting = false;
    QWidget* const pages[] = {tsFenLei, tsSunxu, tsZhongdian, tsMoNi};
    for (QWidget* page : pages)
        hidePracticePage(page);

    for (QWidget* page : pages) {
        if (page->property("tag").toInt() != ModeTree::modeCode(entry))
            continue;
        if (page == tsMoNi)
            Messages::showMessage(QStringLiteral("模拟考试开始!"));
        // Showing the page runs its start routine.
        showPracticePage(page);
        return;
    }
}
