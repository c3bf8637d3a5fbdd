#include "editor/window/MaterialsPanel.h"

#include "editor/document/BankDocument.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// How long typing pauses before the change becomes an undo step.
constexpr int pauseMs = 800;

} // namespace

MaterialsPanel::MaterialsPanel(BankDocument& document, QWidget* parent)
    : QWidget(parent)
    , document_(document)
{
    auto* layout = new QVBoxLayout(this);
    auto* splitter = new QSplitter(Qt::Vertical);
    list_ = new QListWidget;
    list_->setObjectName(QStringLiteral("materialList"));
    splitter->addWidget(list_);
    auto* editor = new QWidget;
    auto* fields = new QVBoxLayout(editor);
    fields->setContentsMargins(0, 0, 0, 0);
    title_ = new QLineEdit;
    title_->setObjectName(QStringLiteral("materialTitle"));
    title_->setPlaceholderText(tr("Title"));
    text_ = new QPlainTextEdit;
    text_->setObjectName(QStringLiteral("materialText"));
    text_->setUndoRedoEnabled(false);
    fields->addWidget(title_);
    fields->addWidget(text_, 1);
    splitter->addWidget(editor);
    splitter->setStretchFactor(1, 2);
    layout->addWidget(splitter, 1);

    auto* buttons = new QHBoxLayout;
    auto* add = new QPushButton(tr("Add"));
    add->setObjectName(QStringLiteral("addMaterial"));
    auto* remove = new QPushButton(tr("Delete"));
    remove->setObjectName(QStringLiteral("removeMaterial"));
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    pause_ = new QTimer(this);
    pause_->setSingleShot(true);
    pause_->setInterval(pauseMs);
    connect(pause_, &QTimer::timeout, this, &MaterialsPanel::commit);
    const auto typed = [this] {
        if (!loading_)
            pause_->start();
    };
    connect(title_, &QLineEdit::textEdited, this, typed);
    connect(text_, &QPlainTextEdit::textChanged, this, typed);
    connect(list_, &QListWidget::currentRowChanged, this, [this] {
        if (loading_)
            return;
        commit();
        showCurrent();
    });
    connect(add, &QPushButton::clicked, this, [this] {
        commit();
        const int index = document_.addMaterial(tr("New reference text"));
        list_->setCurrentRow(index);
        title_->setFocus();
        title_->selectAll();
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        commit();
        if (list_->currentRow() >= 0)
            document_.removeMaterial(list_->currentRow());
    });
    connect(&document_, &BankDocument::materialsChanged, this, &MaterialsPanel::rebuild);
    rebuild();
}

void MaterialsPanel::commit()
{
    pause_->stop();
    if (shown_ < 0 || shown_ >= document_.materials().size())
        return;
    document_.setMaterial(shown_, title_->text(), text_->toPlainText());
}

void MaterialsPanel::rebuild()
{
    const int row = list_->currentRow();
    loading_ = true;
    list_->clear();
    for (const BankMaterial& material : document_.materials())
        list_->addItem(material.title);
    list_->setCurrentRow(std::min(row, int(list_->count()) - 1));
    loading_ = false;
    showCurrent();
}

void MaterialsPanel::showCurrent()
{
    loading_ = true;
    shown_ = list_->currentRow();
    const bool any = shown_ >= 0 && shown_ < document_.materials().size();
    title_->setEnabled(any);
    text_->setEnabled(any);
    const QString title = any ? document_.materials()[shown_].title : QString();
    const QString text = any ? document_.materials()[shown_].text : QString();
    if (title_->text() != title)
        title_->setText(title);
    if (text_->toPlainText() != text)
        text_->setPlainText(text);
    loading_ = false;
}
