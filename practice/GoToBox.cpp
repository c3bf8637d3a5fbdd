#include "practice/GoToBox.h"

#include "store/FieldValue.h"

namespace {

constexpr int positions = 5;
constexpr QChar blank = QLatin1Char('_');

} // namespace

GoToBox::GoToBox(QWidget* parent)
    : QLineEdit(parent)
{
    // Qt's "0" is an optional digit; the mask's blank character fills the
    // positions that hold none.
    setInputMask(QStringLiteral("00000;_"));
}

void GoToBox::setValue(int value)
{
    // Blank characters given to a masked box stay blank positions, so the
    // padding puts the digits at the right end.
    setText(QString::number(value).rightJustified(positions, blank));
}

QString GoToBox::maskedText() const
{
    return displayText().replace(blank, QLatin1Char(' '));
}

int goToNumber(const QString& maskedText)
{
    return integerFromText(maskedText.trimmed());
}
