#include "practice/CategoryList.h"

#include "rules/BankColumns.h"
#include "rules/CategoryNumber.h"
#include "rules/Statements.h"
#include "store/FieldValue.h"
#include "store/RecordSet.h"

CategoryList CategoryList::read(RecordSet& scratch)
{
    scratch.close();
    scratch.setSql(Statements::classList());
    scratch.open();

    CategoryList list;
    try {
        for (; !scratch.eof(); scratch.next()) {
            const QString numberText = scratch.fieldAsString(Column::no);
            const CategoryNumber::Reading number = CategoryNumber::read(numberText);
            if (number.kind == CategoryNumber::Kind::NotANumber)
                raiseNotAnInteger(numberText);
            if (number.kind == CategoryNumber::Kind::Offered)
                list.categories.append({scratch.fieldAsString(Column::remark), number.number});
        }
    } catch (const Failure&) {
        list.stoppedBy = std::current_exception();
    }
    return list;
}
