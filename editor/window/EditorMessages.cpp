#include "editor/window/EditorMessages.h"

#include "editor/window/TrainerLook.h"

#include <QMessageBox>
#include <QPushButton>

namespace {

void show(QWidget* parent, QMessageBox::Icon icon, const QString& text, const QString& details)
{
    QMessageBox box(icon, TrainerLook::messageCaption(), text, QMessageBox::Ok, parent);
    box.setDetailedText(details);
    box.exec();
}

} // namespace

namespace EditorMessages {

void error(QWidget* parent, const QString& text, const QString& details)
{
    show(parent, QMessageBox::Warning, text, details);
}

void information(QWidget* parent, const QString& text, const QString& details)
{
    show(parent, QMessageBox::Information, text, details);
}

bool confirm(QWidget* parent, const QString& text, const QString& action, const QString& details)
{
    QMessageBox box(QMessageBox::Question, TrainerLook::messageCaption(), text,
                    QMessageBox::Yes | QMessageBox::Cancel, parent);
    box.button(QMessageBox::Yes)->setText(action);
    box.setDetailedText(details);
    box.setDefaultButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Yes;
}

} // namespace EditorMessages
