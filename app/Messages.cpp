#include "app/Messages.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace {

struct Choice
{
    QMessageBox::StandardButton button;
    QString caption;
};

int exec(QMessageBox::Icon icon, const QString& title, const QString& text, QMessageBox::StandardButtons buttons,
         const QList<Choice>& captions = {}, QMessageBox::StandardButton escape = QMessageBox::NoButton)
{
    // No parent: the box is centred on the screen, not on the window.
    QMessageBox box(icon, title, text, buttons);
    box.setWindowModality(Qt::ApplicationModal);
    for (const Choice& choice : captions)
        box.button(choice.button)->setText(choice.caption);
    if (escape != QMessageBox::NoButton)
        box.setEscapeButton(escape);
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

bool keepMineOnConflict()
{
    const QString text = QStringLiteral("这条资料在您编辑期间已被另一个程序修改，您的修改还没有保存。\n\n"
                                        "“保留我的修改”：用您输入的内容覆盖另一个程序的修改。\n"
                                        "“采用另一个程序的版本”：放弃您输入的内容。");
    return exec(QMessageBox::Question, caption(), text, QMessageBox::Save | QMessageBox::Discard,
                {{QMessageBox::Save, QStringLiteral("保留我的修改")},
                 {QMessageBox::Discard, QStringLiteral("采用另一个程序的版本")}})
        != QMessageBox::Discard;
}

bool dropUnsavedChangeAndEnd(const QString& reason)
{
    const QString text = QStringLiteral("“各种资料”中的修改没有保存，程序还不能结束：\n%1\n\n"
                                        "“返回修改”：回到您输入的内容，稍后再保存。\n"
                                        "“放弃修改并结束”：不保存您输入的内容，结束程序。")
                             .arg(errorText(reason));
    return exec(QMessageBox::Warning, caption(), text, QMessageBox::Cancel | QMessageBox::Discard,
                {{QMessageBox::Cancel, QStringLiteral("返回修改")},
                 {QMessageBox::Discard, QStringLiteral("放弃修改并结束")}},
                QMessageBox::Cancel)
        == QMessageBox::Discard;
}

bool confirmDelete()
{
    return exec(QMessageBox::Question, QStringLiteral("Confirm"), QStringLiteral("Delete record?"),
                QMessageBox::Ok | QMessageBox::Cancel)
        == QMessageBox::Ok;
}

} // namespace Messages
