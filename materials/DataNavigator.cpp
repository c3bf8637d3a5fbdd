#include "materials/DataNavigator.h"

#include "materials/NavigatorGlyphs.h"
#include "materials/RecordSetModel.h"
#include "store/RecordSet.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace {

struct ButtonText
{
    const char* nameSuffix;
    QString toolTip;
};

const std::array<ButtonText, DataNavigator::ButtonCount>& buttonTexts()
{
    static const std::array<ButtonText, DataNavigator::ButtonCount> texts{{
        {"First", QStringLiteral("第一条记录")},
        {"Prior", QStringLiteral("上一条记录")},
        {"Next", QStringLiteral("下一条记录")},
        {"Last", QStringLiteral("最后一条记录")},
        {"Insert", QStringLiteral("插入记录")},
        {"Delete", QStringLiteral("删除记录")},
        {"Edit", QStringLiteral("编辑记录")},
        {"Post", QStringLiteral("保存修改")},
        {"Cancel", QStringLiteral("取消修改")},
        {"Refresh", QStringLiteral("刷新数据")},
    }};
    return texts;
}

} // namespace

DataNavigator::DataNavigator(RecordSetModel& model, const QString& name, std::function<bool()> confirmDelete,
                             QWidget* parent)
    : QWidget(parent)
    , model_(model)
    , confirmDelete_(std::move(confirmDelete))
{
    setObjectName(name);
    setAccessibleName(QStringLiteral("记录导航"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int i = 0; i < ButtonCount; ++i) {
        const auto which = Button(i);
        auto* button = new QToolButton(this);
        button->setObjectName(name + QLatin1String(buttonTexts()[i].nameSuffix));
        button->setToolTip(buttonTexts()[i].toolTip);
        button->setAccessibleName(buttonTexts()[i].toolTip); // the glyph alone says nothing to a screen reader
        button->setIcon(navigatorGlyph(which));
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        connect(button, &QToolButton::clicked, this, [this, which] { click(which); });
        layout->addWidget(button);
        buttons_[i] = button;
    }
    connect(&model_, &RecordSetModel::stateChanged, this, &DataNavigator::updateButtons);
    updateButtons();
}

void DataNavigator::click(Button which)
{
    model_.attempt([this, which] {
        switch (which) {
        case First:
            model_.first();
            break;
        case Prior:
            model_.prior();
            break;
        case Next:
            model_.next();
            break;
        case Last:
            model_.last();
            break;
        case Insert:
            model_.insert();
            break;
        case Delete:
            if (confirmDelete_ && confirmDelete_()) // nobody to ask: nothing is deleted
                model_.deleteCurrent();
            break;
        case Edit:
            model_.edit();
            break;
        case Post:
            model_.post();
            break;
        case Cancel:
            model_.cancel();
            break;
        case Refresh:
            model_.refresh();
            break;
        case ButtonCount:
            break;
        }
    });
}

void DataNavigator::updateButtons()
{
    const RecordSet& set = model_.recordSet();
    const int row = model_.currentRow();
    const int count = model_.rowCount();
    const bool canModify = set.canModify();
    const bool editing = set.isEditing();

    buttons_[First]->setEnabled(row > 0);
    buttons_[Prior]->setEnabled(row > 0);
    buttons_[Next]->setEnabled(row >= 0 && row < count - 1);
    buttons_[Last]->setEnabled(row >= 0 && row < count - 1);
    buttons_[Insert]->setEnabled(canModify);
    buttons_[Delete]->setEnabled(canModify && count > 0);
    buttons_[Edit]->setEnabled(canModify && !editing);
    buttons_[Post]->setEnabled(canModify && editing);
    buttons_[Cancel]->setEnabled(canModify && editing);
    buttons_[Refresh]->setEnabled(set.isOpen());
}
