#include "materials/ZiLiaoPage.h"

#include "store/RecordSet.h"
#include "store/Statements.h"

ZiLiaoPage::ZiLiaoPage(RecordSet& ziLiao, QWidget* parent)
    : QWidget(parent)
    , ziLiao_(ziLiao)
{
    ziLiao_.setSql(Statements::materials());
}

void ZiLiaoPage::showPage()
{
    ziLiao_.open();
}

void ZiLiaoPage::postPending()
{
}
