#include "tools/formats/sheet/FormulaGuard.h"

namespace {

constexpr QChar apostrophe = u'\'';

bool needsGuard(const QString& text)
{
    if (text.isEmpty())
        return false;
    switch (text.front().unicode()) {
    case u'=':
    case u'+':
    case u'-':
    case u'@':
    case u'\t':
    case u'\r':
    case u'\'':
        return true;
    default:
        return false;
    }
}

} // namespace

namespace FormulaGuard {

QString guarded(const QString& text)
{
    return needsGuard(text) ? apostrophe + text : text;
}

QString unguarded(const QString& cell)
{
    if (cell.startsWith(apostrophe) && needsGuard(cell.mid(1, 1)))
        return cell.mid(1);
    return cell;
}

} // namespace FormulaGuard
