#include "practice/CategoryList.h"

#include "rules/CategoryNumber.h"
#include "rules/Statements.h"
#include "store/IntegerText.h"
#include "store/RecordSet.h"

CategoryList CategoryList::read(RecordSet& scratch)
{
    scratch.close();
    scratch.setSql(Statements::classList());
    scratch.open();

    CategoryList list;
    try {
        for (; !scratch.eof(); scratch.next()) {
            const QString number = scratch.fieldAsString(QStringLiteral("no"));
            if (CategoryNumber::isHeading(number))
                continue;
            list.categories.append({scratch.fieldAsString(QStringLiteral("remark")), integerFromText(number)});
        }
    } catch (const Failure&) {
        list.stoppedBy = std::current_exception();
    }
    return list;
}
