#include "app/Messages.h"

#include <QMessageBox>

namespace {

int exec(QMessageBox::Icon icon, const QString& title, const QString& text, QMessageBox::StandardButtons buttons)
{
    // No parent: the box is centred on the screen, not on the window.
    QMessageBox box(icon, title, text, buttons);
    box.setWindowModality(Qt::ApplicationModal);
    return box.exec();
}

} // namespace

namespace Messages {

void showMessage(const QString& text)
{
    exec(QMessageBox::NoIcon, caption(), text, QMessageBox::Ok);
}

QString errorText(const QString& text)
{
    if (!text.isEmpty() && text.back() > QLatin1Char('.'))
        return text + QLatin1Char('.');
    return text;
}

void showError(const QString& text)
{
    exec(QMessageBox::Critical, caption(), errorText(text), QMessageBox::Ok);
}

bool confirmDelete()
{
    return exec(QMessageBox::Question, QStringLiteral("Confirm"), QStringLiteral("Delete record?"),
                QMessageBox::Ok | QMessageBox::Cancel)
        == QMessageBox::Ok;
}

} // namespace Messages
