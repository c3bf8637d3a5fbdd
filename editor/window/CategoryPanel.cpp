#include "editor/window/CategoryPanel.h"

#include "editor/document/BankDocument.h"
#include "editor/window/EditorMessages.h"

#include "rules/CategoryNumber.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <numeric>

namespace {

constexpr int indexRole = Qt::UserRole + 1;

QPushButton* button(const QString& text, const char* name)
{
    auto* button = new QPushButton(text);
    button->setObjectName(QLatin1String(name));
    return button;
}

} // namespace

CategoryPanel::CategoryPanel(BankDocument& document, QWidget* parent)
    : QWidget(parent)
    , document_(document)
{
    auto* layout = new QVBoxLayout(this);
    tree_ = new QTreeWidget;
    tree_->setObjectName(QStringLiteral("categoryTree"));
    tree_->setHeaderLabels({tr("No."), tr("Title"), tr("Questions")});
    tree_->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    tree_->header()->setStretchLastSection(false);
    tree_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    layout->addWidget(tree_);

    auto* buttons = new QHBoxLayout;
    auto* add = button(tr("Add…"), "addCategory");
    auto* renumber = button(tr("Renumber…"), "renumberCategory");
    auto* remove = button(tr("Delete"), "removeCategory");
    buttons->addWidget(add);
    buttons->addWidget(renumber);
    buttons->addWidget(remove);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    connect(add, &QPushButton::clicked, this, &CategoryPanel::addCategory);
    connect(renumber, &QPushButton::clicked, this, &CategoryPanel::renumberCategory);
    connect(remove, &QPushButton::clicked, this, &CategoryPanel::removeCategory);
    connect(tree_, &QTreeWidget::itemChanged, this, &CategoryPanel::renamed);
    connect(tree_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        const int index = item->data(0, indexRole).toInt();
        emit categoryChosen(document_.categories()[index].no);
    });
    connect(&document_, &BankDocument::categoriesChanged, this, &CategoryPanel::rebuild);
    connect(&document_, &BankDocument::questionsReset, this, &CategoryPanel::rebuild);
    rebuild();
}

void CategoryPanel::rebuild()
{
    const int selected = selectedIndex();
    rebuilding_ = true;
    tree_->clear();
    const QList<BankCategory>& categories = document_.categories();
    QList<int> order(categories.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return categories[a].no < categories[b].no; });
    QHash<qint64, QTreeWidgetItem*> headings;
    for (const int index : order) {
        const BankCategory& category = categories[index];
        const bool heading = CategoryNumber::isHeading(category.no);
        QTreeWidgetItem* parent = heading ? nullptr : headings.value(category.no / 100 * 100);
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree_);
        item->setText(0, QString::number(category.no));
        item->setText(1, category.title);
        if (!heading)
            item->setText(2, QString::number(document_.questionCount(category.no)));
        item->setData(0, indexRole, index);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
        if (heading) {
            QFont bold = item->font(1);
            bold.setBold(true);
            item->setFont(1, bold);
            headings.insert(category.no, item);
        }
        if (index == selected)
            tree_->setCurrentItem(item);
    }
    tree_->expandAll();
    tree_->resizeColumnToContents(0);
    rebuilding_ = false;
}

int CategoryPanel::selectedIndex() const
{
    const QTreeWidgetItem* item = tree_->currentItem();
    return item ? item->data(0, indexRole).toInt() : -1;
}

void CategoryPanel::renamed(QTreeWidgetItem* item, int column)
{
    if (rebuilding_)
        return;
    const int index = item->data(0, indexRole).toInt();
    if (column == 1) {
        document_.renameCategory(index, item->text(1).trimmed());
    } else if (column == 0) {
        bool ok = false;
        const qint64 no = item->text(0).toLongLong(&ok);
        if (!ok || !document_.renumberCategory(index, no))
            EditorMessages::error(this, tr("%1 is not a free category number.").arg(item->text(0)));
    }
    // The tree is made anew from the document, whatever was typed.
    QMetaObject::invokeMethod(this, &CategoryPanel::rebuild, Qt::QueuedConnection);
}

void CategoryPanel::addCategory()
{
    bool ok = false;
    const int no = QInputDialog::getInt(this, tr("Add category"),
                                        tr("Number (100, 200, … head a chapter; 101, 102, … are categories):"),
                                        int(document_.unusedCategoryNumber()), 1, 999999, 1, &ok);
    if (!ok)
        return;
    if (document_.categoryIndex(no) >= 0) {
        EditorMessages::error(this, tr("Category %1 already exists.").arg(no));
        return;
    }
    const QString title = QInputDialog::getText(this, tr("Add category"), tr("Title:"), QLineEdit::Normal, QString(), &ok);
    if (ok)
        document_.addCategory(no, title.trimmed());
}

void CategoryPanel::renumberCategory()
{
    const int index = selectedIndex();
    if (index < 0)
        return;
    const BankCategory category = document_.categories()[index];
    bool ok = false;
    const int no = QInputDialog::getInt(this, tr("Renumber category"),
                                        tr("New number for \"%1\" (its questions follow):").arg(category.title),
                                        int(category.no), 1, 999999, 1, &ok);
    if (ok && !document_.renumberCategory(index, no))
        EditorMessages::error(this, tr("Category %1 already exists.").arg(no));
}

void CategoryPanel::removeCategory()
{
    const int index = selectedIndex();
    if (index < 0)
        return;
    const BankCategory category = document_.categories()[index];
    const int questions = document_.questionCount(category.no);
    if (questions > 0
        && !EditorMessages::confirm(this, tr("Category %1 \"%2\" holds %n question(s). Deleting it deletes them too "
                                             "(Undo brings them back).",
                                             nullptr, questions)
                                             .arg(category.no)
                                             .arg(category.title),
                                    tr("Delete the category and its questions")))
        return;
    document_.removeCategory(index);
}
